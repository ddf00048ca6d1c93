// Taking YAZ's record out: YAZ writes it as a MARCXML tree, whose elements are read field by field.
#include "ambry/records/YazRecord.h"

#include <libxml/tree.h>

#include <cstring>

namespace Records {

namespace {

// An attribute's value, or "" without it.
std::string attribute(const xmlNode* node, const char* name) {
  xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
  std::string text = value ? reinterpret_cast<const char*>(value) : "";
  xmlFree(value);
  return text;
}

std::string content(const xmlNode* node) {
  xmlChar* value = xmlNodeGetContent(node);
  std::string text = value ? reinterpret_cast<const char*>(value) : "";
  xmlFree(value);
  return text;
}

bool named(const xmlNode* node, const char* name) {
  return node->type == XML_ELEMENT_NODE && std::strcmp(reinterpret_cast<const char*>(node->name), name) == 0;
}

}  // namespace

const Subfield* MarcRecord::first(const char* tag, char code) const {
  for (const Field& field : fields) {
    if (field.tag != tag) continue;
    for (const Subfield& subfield : field.subfields)
      if (subfield.code == code) return &subfield;
  }
  return nullptr;
}

YazRecord::YazRecord() : mMarc(yaz_marc_create()), mMarc8(yaz_iconv_open("UTF-8", "MARC8s")) {}

YazRecord::~YazRecord() {
  if (mMarc8) yaz_iconv_close(mMarc8);
  yaz_marc_destroy(mMarc);
}

std::string YazRecord::decodeMarc8(const char* text, bool& undecodable) {
  std::string out;
  if (!mMarc8) {
    undecodable = true;
    return out;
  }
  char* in = const_cast<char*>(text);
  size_t inLeft = std::strlen(text);
  char buffer[1024];
  // Each subfield starts in MARC-8's default character sets, as YAZ's own writer starts it.
  yaz_iconv(mMarc8, nullptr, nullptr, nullptr, nullptr);
  while (inLeft > 0) {
    char* outAt = buffer;
    size_t outLeft = sizeof buffer;
    const size_t done = yaz_iconv(mMarc8, &in, &inLeft, &outAt, &outLeft);
    out.append(buffer, static_cast<size_t>(outAt - buffer));
    if (done != static_cast<size_t>(-1)) continue;
    const int error = yaz_iconv_error(mMarc8);
    if (error == YAZ_ICONV_E2BIG) continue;
    undecodable = true;
    if (error != YAZ_ICONV_EILSEQ) break;  // an escape or combining mark cut off at the end
    ++in;
    --inLeft;
  }
  char* outAt = buffer;
  size_t outLeft = sizeof buffer;
  yaz_iconv(mMarc8, nullptr, nullptr, &outAt, &outLeft);
  out.append(buffer, static_cast<size_t>(outAt - buffer));
  return out;
}

bool YazRecord::take(bool marc8, MarcRecord& out) {
  xmlNode* root = nullptr;
  // Without a converter YAZ hands the record's bytes on as they are: the decoding is done here.
  yaz_marc_iconv(mMarc, nullptr);
  if (yaz_marc_write_xml(mMarc, &root, "http://www.loc.gov/MARC21/slim", nullptr, nullptr) != 0 || !root) {
    if (root) xmlFreeNode(root);
    return false;
  }
  out.leader.clear();
  out.fields.clear();
  for (const xmlNode* node = root->children; node; node = node->next) {
    if (named(node, "leader")) {
      out.leader = content(node);
      continue;
    }
    Field field;
    field.tag = attribute(node, "tag");
    if (named(node, "controlfield")) {
      field.data = content(node);
    } else if (named(node, "datafield")) {
      for (const xmlNode* sub = node->children; sub; sub = sub->next) {
        if (!named(sub, "subfield")) continue;
        const std::string code = attribute(sub, "code");
        Subfield subfield{code.empty() ? ' ' : code[0], content(sub)};
        if (marc8) subfield.text = decodeMarc8(subfield.text.c_str(), subfield.undecodable);
        field.subfields.push_back(std::move(subfield));
      }
    } else {
      continue;
    }
    out.fields.push_back(std::move(field));
  }
  xmlFreeNode(root);
  return true;
}

}  // namespace Records
