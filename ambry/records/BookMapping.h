// From a record of the library world to a book of this catalogue: which field gives what, the
// defaults of what is missing, and a remark for everything a librarian should know.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "ambry/records/MarcRecord.h"

namespace Records {

// What the import tells about one record.
enum class NoteKind {
  kNoTitle,         // skipped: there is no title
  kUnreadable,      // skipped: the record cannot be read
  kDefaultAuthor,   // no author: the default is stored
  kDefaultIsbn,     // no ISBN: the default is stored
  kDefaultDewey,    // no Dewey number: the default is stored
  kDefaultPrice,    // no price: the default is stored
  kInvalidIsbn,     // the ISBN's check digit or length is wrong: stored as written
  kUnknownDewey,    // the Dewey number is not in the library's table: the default is stored
  kOtherCurrency,   // the price is not in the library's currency: the default is stored
  kBadPrice,        // the price is no amount: the default is stored
  kBadCondition,    // the condition is not 1 to 10: the condition chosen for the file is stored
  kUnwritable,      // a letter the catalogue's character set has not: stored as '?'
  kUndecodable,     // bytes that are no letters of the record's character set: stored as '?'
  kIsbnInCatalogue  // the ISBN is in the catalogue already (or earlier in the file): a further copy
};

struct Note {
  NoteKind kind;
  std::string field;       // the MARC tag, or the CSV column as the header names it
  std::string value;       // the value the remark is about, as site text
  char32_t letter = 0;     // kUnwritable: the letter
};

// One record as the book it becomes; texts in the site's Windows-1252.
struct BookDraft {
  long number = 0;  // the record's place in the file (CSV: the spreadsheet row)
  bool skipped = false;
  std::string author, title, isbn, dewey, price;
  std::string condition;  // 1 to 10, or "" for the condition chosen for the whole file
  bool isbnValid = false;
  std::vector<Note> notes;
};

// The defaults of the fields the book editor requires, for a record that lacks them.
extern const char* const kDefaultAuthor;
extern const char* const kDefaultIsbn;
extern const char* const kDefaultDewey;
extern const char* const kDefaultPrice;

struct MappingRules {
  std::string currencyCode;                // ISO 4217, as 365 $c writes it: "ZAR"
  std::vector<std::string> currencySigns;  // what 020 $c may write instead: "R"
  std::vector<bool> deweyCodes;            // the library's Dewey table by code; empty: 0 to 999
};

// The currency setting ("ZAR R": the code, then the signs) as rules; the Dewey table is added by
// whoever reads it.
MappingRules mappingRules(std::string_view currencySetting);

// A MARC record (nullptr: unreadable) as a book: author from 100, else 110, 111 or 700 $a; title
// from 245 $a $b; ISBN from 020 $a; Dewey from 082 $a (its whole-number class); price from 020 $c
// or 365 $b in the library's currency. MARC has no condition.
BookDraft mapMarcRecord(long number, const MarcRecord* record, const MappingRules& rules);

// Where the header row puts the book's columns, each recognised by name in either language (the
// book editor's captions or the table's column names), letter case and blanks aside; -1 for none.
struct CsvColumns {
  int author = -1, title = -1, isbn = -1, dewey = -1, price = -1, condition = -1;
  std::vector<std::string> names;  // the header's cells as site text, for the remarks
};
CsvColumns csvColumns(const std::vector<std::string>& header, bool utf8);

// A CSV row as a book; the cells are as the file holds them (utf8 tells how).
BookDraft mapCsvRow(long row, const std::vector<std::string>& cells, const CsvColumns& columns, bool utf8,
                    const MappingRules& rules);

// The amount in a price written with a point or a comma before the cents (and perhaps the other
// between thousands), as the catalogue stores it: "1250.50". "" when it is no amount.
std::string priceAmount(std::string_view written);

// A cell the CSV writer marked with a leading ' so that a spreadsheet would not run it, as it was.
std::string_view withoutFormulaGuard(std::string_view cell);

}  // namespace Records
