// MARCXML files read as a stream: libxml2's push parser with YAZ's MARCXML handler, which hands
// over each record as it closes, so one record at a time is held.
#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <yaz/marc_sax.h>

#include <cstring>
#include <string>

#include "ambry/records/MarcRecord.h"
#include "ambry/records/YazRecord.h"

namespace Records {

namespace {

struct XmlReading {
  YazRecord yaz;
  MarcRecord record;
  const MarcSink* sink = nullptr;
  long number = 0;
  bool refused = false;  // a document type declaration was met
  xmlParserCtxtPtr parser = nullptr;
  xmlSAXHandler yazHandler;  // YAZ's own handlers, which the ones below pass every event on to
  std::string leader;        // the leader of the record being read, as the file writes it
  int leaders = 0;           // leaders closed since YAZ last handed over a record (YAZ keeps each)
  bool inLeader = false;
};

// The parser's user data is YAZ's; the reading of this call is reached here.
XmlReading* gReading = nullptr;

// YAZ takes the subfield codes' length from the leader and reads past the end of a code that is
// shorter: a record whose leader is not a MARC21 one (24 characters, two indicators, one-letter
// codes) is unreadable and never handed to YAZ's writer.
bool isMarc21Leader(const std::string& leader) {
  return leader.size() == 24 && leader[10] == '2' && leader[11] == '2';
}

// A record is readable when it has one whole leader and fields; the data is Unicode already. YAZ's
// writer takes the subfield codes' length from the first leader it holds, which need not be the last
// one read: a record handed over after more than one leader (a repeated leader, a record nested in a
// broken one) is unreadable too (both found by fuzzing).
void takeRecord(yaz_marc_t, void* data) {
  XmlReading& reading = *static_cast<XmlReading*>(data);
  ++reading.number;
  const bool read = reading.leaders == 1 && isMarc21Leader(reading.leader) &&
                    reading.yaz.take(false, reading.record) && !reading.record.fields.empty();
  (*reading.sink)(reading.number, read ? &reading.record : nullptr);
  reading.leader.clear();
  reading.leaders = 0;
}

bool isLeader(const xmlChar* name) {
  return std::strcmp(reinterpret_cast<const char*>(name), "leader") == 0;
}

void startElement(void* context, const xmlChar* name, const xmlChar* prefix, const xmlChar* uri, int namespaces,
                  const xmlChar** namespaceList, int attributes, int defaulted, const xmlChar** attributeList) {
  if (isLeader(name)) {
    gReading->inLeader = true;
    gReading->leader.clear();
  }
  gReading->yazHandler.startElementNs(context, name, prefix, uri, namespaces, namespaceList, attributes, defaulted,
                                      attributeList);
}

void endElement(void* context, const xmlChar* name, const xmlChar* prefix, const xmlChar* uri) {
  if (isLeader(name)) {
    gReading->inLeader = false;
    ++gReading->leaders;
  }
  gReading->yazHandler.endElementNs(context, name, prefix, uri);
}

void characters(void* context, const xmlChar* text, int length) {
  if (gReading->inLeader) gReading->leader.append(reinterpret_cast<const char*>(text), static_cast<size_t>(length));
  gReading->yazHandler.characters(context, text, length);
}

// No MARCXML file needs a document type, and its entities are the classic way to make a small
// file cost a great deal: such a file is refused.
void refuseDocumentType(void*, const xmlChar*, const xmlChar*, const xmlChar*) {
  gReading->refused = true;
  xmlStopParser(gReading->parser);
}

// libxml2 reports its errors through this; the fault names the line, the text is not needed.
void quiet(void*, xmlErrorPtr) {}

}  // namespace

FileFault readMarcXml(std::string_view data, const MarcSink& sink) {
  XmlReading reading;
  reading.sink = &sink;
  yaz_marc_sax_t handler = yaz_marc_sax_new(reading.yaz.handle(), takeRecord, &reading);
  xmlSAXHandlerPtr sax = yaz_marc_sax_get_handler(handler);
  reading.yazHandler = *sax;
  if (sax->startElementNs && sax->endElementNs && sax->characters) {
    sax->startElementNs = startElement;
    sax->endElementNs = endElement;
    sax->characters = characters;
  }
  sax->internalSubset = refuseDocumentType;
  xmlSetStructuredErrorFunc(nullptr, quiet);
  reading.parser = xmlCreatePushParserCtxt(sax, handler, nullptr, 0, nullptr);
  FileFault fault;
  if (!reading.parser) {
    fault = {FaultKind::kXml, 1, 0, 1};
  } else {
    xmlCtxtUseOptions(reading.parser, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    gReading = &reading;
    // In pieces, so that libxml2's own buffer stays small whatever the file's size.
    const size_t piece = 1 << 16;
    int status = 0;
    for (size_t at = 0; status == 0 && !reading.refused; at += piece) {
      const bool last = at + piece >= data.size();
      const size_t size = last ? data.size() - at : piece;
      status = xmlParseChunk(reading.parser, data.data() + at, static_cast<int>(size), last ? 1 : 0);
      if (last) break;
    }
    gReading = nullptr;
    if (status != 0 || reading.refused || !reading.parser->wellFormed)
      fault = {FaultKind::kXml, reading.number + 1, 0, xmlSAX2GetLineNumber(reading.parser)};
    xmlFreeParserCtxt(reading.parser);
  }
  xmlSetStructuredErrorFunc(nullptr, nullptr);
  yaz_marc_sax_destroy(handler);
  if (!fault && reading.number == 0) fault = {FaultKind::kEmpty, 0, 0, 0};
  return fault;
}

}  // namespace Records
