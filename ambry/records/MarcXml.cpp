// MARCXML files read as a stream: libxml2's push parser with YAZ's MARCXML handler, which hands
// over each record as it closes, so one record at a time is held.
#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <yaz/marc_sax.h>

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
};

// A record is readable when it has a whole leader and fields; the data is Unicode already.
void takeRecord(yaz_marc_t, void* data) {
  XmlReading& reading = *static_cast<XmlReading*>(data);
  ++reading.number;
  const bool read = reading.yaz.take(false, reading.record) && reading.record.leader.size() == 24 &&
                    !reading.record.fields.empty();
  (*reading.sink)(reading.number, read ? &reading.record : nullptr);
}

// No MARCXML file needs a document type, and its entities are the classic way to make a small
// file cost a great deal: such a file is refused.
XmlReading* gReading = nullptr;
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
