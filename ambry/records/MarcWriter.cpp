// Writing MARC21 through YAZ: each book as a record of its own (control number, 020 ISBN, 082
// Dewey class, 100 author, 245 title, 365 price), UTF-8 and so leader 09 'a'.
#include "ambry/records/MarcWriter.h"

#include "ambry/records/Letters.h"

namespace Records {

namespace {

// A new record (n) of language material (a), a monograph (m), in UCS/Unicode (a), minimal level
// (7), with the catalogue's punctuation left out (c): the titles are written as the library stores
// them, a final full stop included. YAZ works out the lengths and base address.
const char kLeader[] = "00000nam a22000007c 4500";

// Dewey classes are written with their three digits: 4 is "004".
std::string deweyNumber(const std::string& stored) {
  std::string number = stored;
  while (!number.empty() && number.size() < 3) number.insert(0, "0");
  return number;
}

}  // namespace

MarcWriter::MarcWriter(bool xml, const std::string& currencyCode)
    : mMarc(yaz_marc_create()), mOut(wrbuf_alloc()), mCurrency(currencyCode) {
  yaz_marc_xml(mMarc, xml ? YAZ_MARC_MARCXML : YAZ_MARC_ISO2709);
  if (xml) yaz_marc_enable_collection(mMarc);
}

MarcWriter::~MarcWriter() {
  wrbuf_destroy(mOut);
  yaz_marc_destroy(mMarc);
}

void MarcWriter::addSubfield(char code, const std::string& siteText) {
  const std::string data = std::string(1, code) + toUtf8(siteText);
  yaz_marc_add_subfield(mMarc, data.data(), data.size());
}

std::string MarcWriter::record(const StoredBook& book) {
  yaz_marc_reset(mMarc);
  // YAZ reads the record's shape from the leader; the numbers it gives back are not needed.
  int indicators = 0, identifier = 0, base = 0, lengthDigits = 0, startDigits = 0, implementation = 0;
  yaz_marc_set_leader(mMarc, kLeader, &indicators, &identifier, &base, &lengthDigits, &startDigits,
                      &implementation);
  yaz_marc_add_controlfield(mMarc, "001", book.id.data(), book.id.size());
  if (!book.isbn.empty()) {
    yaz_marc_add_datafield(mMarc, "020", "  ", 2);
    addSubfield('a', book.isbn);
  }
  yaz_marc_add_datafield(mMarc, "082", "04", 2);
  addSubfield('a', deweyNumber(book.dewey));
  if (!book.author.empty()) {
    // A personal name written "surname, forenames" is entered under the surname.
    yaz_marc_add_datafield(mMarc, "100", book.author.find(',') != std::string::npos ? "1 " : "0 ", 2);
    addSubfield('a', book.author);
  }
  yaz_marc_add_datafield(mMarc, "245", book.author.empty() ? "00" : "10", 2);
  addSubfield('a', book.title);
  yaz_marc_add_datafield(mMarc, "365", "  ", 2);
  addSubfield('b', book.price);
  addSubfield('c', mCurrency);
  wrbuf_rewind(mOut);
  yaz_marc_write_mode(mMarc, mOut);
  return std::string(wrbuf_buf(mOut), wrbuf_len(mOut));
}

std::string MarcWriter::end() {
  wrbuf_rewind(mOut);
  yaz_marc_write_trailer(mMarc, mOut);
  return std::string(wrbuf_buf(mOut), wrbuf_len(mOut));
}

}  // namespace Records
