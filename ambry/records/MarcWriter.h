// Books written out as MARC21 records by YAZ, as MARCXML or as ISO 2709 in UTF-8.
#pragma once
#include <string>

#include <yaz/marcdisp.h>
#include <yaz/wrbuf.h>

namespace Records {

// A book as the catalogue stores it (site text).
struct StoredBook {
  std::string id, author, title, isbn, dewey, price;
};

class MarcWriter {
 public:
  // xml: a MARCXML collection; otherwise ISO 2709 records one after another. currencyCode: the
  // library's currency, written with every price.
  MarcWriter(bool xml, const std::string& currencyCode);
  ~MarcWriter();
  MarcWriter(const MarcWriter&) = delete;
  MarcWriter& operator=(const MarcWriter&) = delete;

  // The record of one book, in the order of the file; the first carries the collection's start.
  std::string record(const StoredBook& book);
  // What ends the file (MARCXML: the collection's end tag).
  std::string end();

 private:
  void addSubfield(char code, const std::string& siteText);

  yaz_marc_t mMarc;
  WRBUF mOut;
  std::string mCurrency;
};

}  // namespace Records
