// The mapping of MARC records and CSV rows to books, with the remarks the preview shows.
#include "ambry/records/BookMapping.h"

#include <algorithm>
#include <cctype>
#include <strings.h>

#include "ambry/records/Isbn.h"
#include "ambry/records/Letters.h"
#include "ambry/resources/Resources.h"

namespace Records {

const char* const kDefaultAuthor = "Anon.";
const char* const kDefaultIsbn = "-";
const char* const kDefaultDewey = "0";
const char* const kDefaultPrice = "0.00";

namespace {

// The largest price the catalogue's DECIMAL(10,2) holds has eight digits before the point.
const size_t kPriceDigits = 8;

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\xA0';
}

std::string trim(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// A lower-case letter of Windows-1252 (the accented ones from 0xDF on, the division sign aside).
bool isLowerLetter(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'a' && byte <= 'z') || (byte >= 0xDF && byte != 0xF7);
}

// A catalogue's punctuation at the end of a name or title (ISBD): " /" before the statement of
// responsibility, " :" before a subtitle, " ;", " =", a comma before dates, and a full stop that
// ends the field. A full stop after an initial ("J. R. R.") or an ellipsis belongs to the text.
std::string withoutIsbdEnd(std::string text) {
  for (;;) {
    text = trim(text);
    if (text.empty()) return text;
    const char last = text.back();
    if (last == '/' || last == ':' || last == ';' || last == '=' || last == ',') {
      text.pop_back();
      continue;
    }
    if (last == '.' && text.size() >= 2 && text[text.size() - 2] != '.' &&
        (isLowerLetter(text[text.size() - 2]) || isDigit(text[text.size() - 2]) ||
         text[text.size() - 2] == ')' || text[text.size() - 2] == ']')) {
      text.pop_back();
      continue;
    }
    return text;
  }
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  return !prefix.empty() && text.size() >= prefix.size() &&
         strncasecmp(text.data(), prefix.data(), prefix.size()) == 0;
}

// The whole-number class of a Dewey number ("823.914" and "823/.914" give 823), or -1.
int deweyClass(std::string_view text) {
  std::string kept = trim(text);
  if (!kept.empty() && kept.front() == '[') kept.erase(0, 1);
  size_t count = 0;
  while (count < kept.size() && isDigit(kept[count])) ++count;
  if (count == 0 || count > 3) return -1;
  return std::stoi(kept.substr(0, count));
}

bool isKnownDewey(int code, const MappingRules& rules) {
  if (code < 0 || code > 999) return false;
  return rules.deweyCodes.empty() || (static_cast<size_t>(code) < rules.deweyCodes.size() && rules.deweyCodes[code]);
}

// The amount after the library's currency code or sign at the start of text; "" when text names
// no currency of the library (or no currency at all).
bool inLibraryCurrency(std::string_view text, const MappingRules& rules, std::string_view& amount) {
  std::string_view rest;
  if (startsWithNoCase(text, rules.currencyCode)) {
    rest = text.substr(rules.currencyCode.size());
  } else {
    for (const std::string& sign : rules.currencySigns) {
      if (text.substr(0, sign.size()) != sign || sign.empty()) continue;
      const std::string_view after = text.substr(sign.size());
      // "R150" is rand; "Rs. 150" is another currency.
      if (!after.empty() && (isDigit(after.front()) || isBlank(after.front()) || after.front() == '.')) {
        rest = after;
        break;
      }
    }
    if (rest.empty()) return false;
  }
  while (!rest.empty() && (isBlank(rest.front()) || rest.front() == ':')) rest.remove_prefix(1);
  amount = rest;
  return true;
}

class Mapping {
 public:
  Mapping(long number, const MappingRules& rules) : mRules(rules) { mDraft.number = number; }

  void note(NoteKind kind, const std::string& field, const std::string& value = "", char32_t letter = 0) {
    mDraft.notes.push_back({kind, field, value, letter});
  }

  // A text of the file as site text; each letter that cannot be written is named once per field.
  std::string site(const SiteText& converted, const std::string& field) {
    std::vector<char32_t> named;
    for (char32_t letter : converted.unwritable) {
      if (std::find(named.begin(), named.end(), letter) != named.end()) continue;
      named.push_back(letter);
      note(NoteKind::kUnwritable, field, "", letter);
    }
    if (converted.undecodable) note(NoteKind::kUndecodable, field);
    return trim(converted.text);
  }

  // Whether the file's texts end in a catalogue's punctuation, which comes off: MARC records unless
  // their leader says the punctuation is omitted; never a spreadsheet's cells, which are the texts.
  void endsInIsbdPunctuation(bool ends) { mIsbd = ends; }

  void setTitle(const std::string& title, const std::string& field) {
    mDraft.title = mIsbd ? withoutIsbdEnd(title) : trim(title);
    if (mDraft.title.empty()) {
      mDraft.skipped = true;
      note(NoteKind::kNoTitle, field);
    }
  }

  void setAuthor(const std::string& author, const std::string& field) {
    mDraft.author = mIsbd ? withoutIsbdEnd(author) : trim(author);
    if (!mDraft.author.empty()) return;
    mDraft.author = kDefaultAuthor;
    note(NoteKind::kDefaultAuthor, field, kDefaultAuthor);
  }

  void setIsbn(const std::string& written, const std::string& field) {
    const Isbn isbn = normaliseIsbn(written);
    // Nothing but a qualifier ("(pbk.)") is no ISBN either.
    if (isbn.text.empty()) {
      mDraft.isbn = kDefaultIsbn;
      note(NoteKind::kDefaultIsbn, field, kDefaultIsbn);
      return;
    }
    mDraft.isbn = isbn.text;
    mDraft.isbnValid = isbn.valid;
    if (!isbn.valid) note(NoteKind::kInvalidIsbn, field, isbn.text);
  }

  void setDewey(const std::string& written, const std::string& field) {
    mDraft.dewey = kDefaultDewey;
    if (trim(written).empty()) {
      note(NoteKind::kDefaultDewey, field, kDefaultDewey);
      return;
    }
    const int code = deweyClass(written);
    if (isKnownDewey(code, mRules))
      mDraft.dewey = std::to_string(code);
    else
      note(NoteKind::kUnknownDewey, field, trim(written));
  }

  // A price known to be in the library's currency (or "" for none at all).
  void setPrice(const std::string& written, const std::string& field) {
    mDraft.price = kDefaultPrice;
    if (trim(written).empty()) {
      note(NoteKind::kDefaultPrice, field, kDefaultPrice);
      return;
    }
    const std::string amount = priceAmount(written);
    if (amount.empty())
      note(NoteKind::kBadPrice, field, trim(written));
    else
      mDraft.price = amount;
  }

  void setOtherCurrency(const std::string& written, const std::string& field) {
    mDraft.price = kDefaultPrice;
    note(NoteKind::kOtherCurrency, field, trim(written));
  }

  void setCondition(const std::string& written, const std::string& field) {
    const std::string kept = trim(written);
    if (kept.empty()) return;
    const bool number = kept.size() <= 2 && std::all_of(kept.begin(), kept.end(), isDigit);
    const int value = number ? std::stoi(kept) : 0;
    if (value >= 1 && value <= 10)
      mDraft.condition = std::to_string(value);
    else
      note(NoteKind::kBadCondition, field, kept);
  }

  void skipUnreadable() {
    mDraft.skipped = true;
    note(NoteKind::kUnreadable, "");
  }

  const MappingRules& rules() const { return mRules; }
  BookDraft take() { return std::move(mDraft); }

 private:
  const MappingRules& mRules;
  BookDraft mDraft;
  bool mIsbd = true;
};

// The text of a subfield as site text, remarks noted under the field's tag.
std::string subfieldText(Mapping& mapping, const Field& field, char code) {
  for (const Subfield& subfield : field.subfields) {
    if (subfield.code != code) continue;
    SiteText converted = fromUtf8(subfield.text);
    converted.undecodable = converted.undecodable || subfield.undecodable;
    return mapping.site(converted, field.tag);
  }
  return "";
}

const Field* firstField(const MarcRecord& record, const char* tag, char code) {
  for (const Field& field : record.fields) {
    if (field.tag != tag) continue;
    for (const Subfield& subfield : field.subfields)
      if (subfield.code == code && !subfield.text.empty()) return &field;
  }
  return nullptr;
}

void mapMarcTitle(Mapping& mapping, const MarcRecord& record) {
  const Field* title = firstField(record, "245", 'a');
  if (!title) {
    mapping.setTitle("", "245");
    return;
  }
  std::string text = subfieldText(mapping, *title, 'a');
  const std::string rest = subfieldText(mapping, *title, 'b');
  if (!rest.empty()) text += " " + rest;
  mapping.setTitle(text, "245");
}

void mapMarcAuthor(Mapping& mapping, const MarcRecord& record) {
  for (const char* tag : {"100", "110", "111", "700"}) {
    if (const Field* field = firstField(record, tag, 'a')) {
      mapping.setAuthor(subfieldText(mapping, *field, 'a'), tag);
      return;
    }
  }
  mapping.setAuthor("", "100");
}

// The first 020 whose $a is a valid ISBN, else the first with an $a at all.
void mapMarcIsbn(Mapping& mapping, const MarcRecord& record) {
  const Field* chosen = nullptr;
  for (const Field& field : record.fields) {
    if (field.tag != "020") continue;
    const auto number = std::find_if(field.subfields.begin(), field.subfields.end(),
                                     [](const Subfield& s) { return s.code == 'a' && !s.text.empty(); });
    if (number == field.subfields.end()) continue;
    if (!chosen) chosen = &field;
    if (normaliseIsbn(fromUtf8(number->text).text).valid) {
      chosen = &field;
      break;
    }
  }
  mapping.setIsbn(chosen ? subfieldText(mapping, *chosen, 'a') : "", "020");
}

// 020 $c ("R150.00") or 365 $b with 365 $c the currency code, whichever is in the library's
// currency; a price in another currency is remarked, not converted.
void mapMarcPrice(Mapping& mapping, const MarcRecord& record) {
  std::string other;
  std::string otherTag;
  if (const Field* terms = firstField(record, "020", 'c')) {
    const std::string written = subfieldText(mapping, *terms, 'c');
    std::string_view amount;
    if (inLibraryCurrency(written, mapping.rules(), amount)) {
      mapping.setPrice(std::string(amount), "020");
      return;
    }
    other = written;
    otherTag = "020";
  }
  if (const Field* price = firstField(record, "365", 'b')) {
    const std::string amount = subfieldText(mapping, *price, 'b');
    const std::string code = trim(subfieldText(mapping, *price, 'c'));
    if (!code.empty() && strcasecmp(code.c_str(), mapping.rules().currencyCode.c_str()) == 0) {
      mapping.setPrice(amount, "365");
      return;
    }
    if (other.empty()) {
      other = trim(code + " " + amount);
      otherTag = "365";
    }
  }
  if (other.empty())
    mapping.setPrice("", "020");
  else
    mapping.setOtherCurrency(other, otherTag);
}

// A CSV cell as site text (its formula guard taken off), remarks noted under its column.
std::string cellText(Mapping& mapping, const std::vector<std::string>& cells, int column,
                     const CsvColumns& columns, bool utf8) {
  if (column < 0 || static_cast<size_t>(column) >= cells.size()) return "";
  const std::string_view cell = withoutFormulaGuard(cells[column]);
  return mapping.site(utf8 ? fromUtf8(cell) : fromWindows1252(cell), columns.names[column]);
}

// The column as the header names it; a column the file has not, by the catalogue's column name.
std::string columnName(const CsvColumns& columns, int column, const char* absent) {
  return column >= 0 ? columns.names[column] : absent;
}

}  // namespace

MappingRules mappingRules(std::string_view currencySetting) {
  MappingRules rules;
  std::string word;
  auto take = [&rules](std::string& w) {
    if (w.empty()) return;
    if (rules.currencyCode.empty())
      rules.currencyCode = w;
    else
      rules.currencySigns.push_back(w);
    w.clear();
  };
  for (char c : currencySetting) {
    if (isBlank(c))
      take(word);
    else
      word += c;
  }
  take(word);
  return rules;
}

std::string priceAmount(std::string_view written) {
  const std::string text = trim(written);
  // The number: digits with points, commas and blanks among them; what follows a blank or a
  // parenthesis ("150.00 (pbk.)") is no part of it.
  std::string number;
  size_t at = 0;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (isDigit(c) || c == '.' || c == ',') {
      number += c;
    } else if (isBlank(c) && at + 1 < text.size() && isDigit(text[at + 1]) && !number.empty()) {
      continue;  // "1 250,00"
    } else {
      break;
    }
  }
  if (number.empty() || (at < text.size() && !isBlank(text[at]) && text[at] != '(')) return "";
  const size_t separator = number.find_last_of(".,");
  std::string whole = number;
  std::string cents;
  if (separator != std::string::npos && number.size() - separator - 1 <= 2) {
    whole = number.substr(0, separator);
    cents = number.substr(separator + 1);
  }
  whole.erase(std::remove_if(whole.begin(), whole.end(), [](char c) { return c == '.' || c == ','; }), whole.end());
  if (whole.empty()) whole = "0";
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
  if (whole.size() > kPriceDigits) return "";
  while (cents.size() < 2) cents += '0';
  return whole + "." + cents;
}

std::string_view withoutFormulaGuard(std::string_view cell) {
  if (cell.size() >= 2 && cell[0] == '\'' &&
      (cell[1] == '=' || cell[1] == '+' || cell[1] == '-' || cell[1] == '@' || cell[1] == '\t' || cell[1] == '\r'))
    cell.remove_prefix(1);
  return cell;
}

BookDraft mapMarcRecord(long number, const MarcRecord* record, const MappingRules& rules) {
  Mapping mapping(number, rules);
  if (!record) {
    mapping.skipUnreadable();
    return mapping.take();
  }
  // Leader 18, the form of cataloguing: 'c' and 'n' say that the punctuation was left out (as this
  // library's export does), so a full stop at the end of a title belongs to the title.
  const char form = record->leader.size() > 18 ? record->leader[18] : ' ';
  mapping.endsInIsbdPunctuation(form != 'c' && form != 'n');
  mapMarcTitle(mapping, *record);
  mapMarcAuthor(mapping, *record);
  mapMarcIsbn(mapping, *record);
  const Field* dewey = firstField(*record, "082", 'a');
  mapping.setDewey(dewey ? subfieldText(mapping, *dewey, 'a') : "", "082");
  mapMarcPrice(mapping, *record);
  return mapping.take();
}

CsvColumns csvColumns(const std::vector<std::string>& header, bool utf8) {
  CsvColumns columns;
  // The same columns under every name they go by: the column names, and the captions of each language.
  const Keystone::Array<Keystone::String> names = Ambry::getResourceArray("book", "tables");
  const Keystone::Array<Keystone::String> lists[] = {names, Ambry::getResourceArray("admin_book", "eng"),
                                                     Ambry::getResourceArray("admin_book", "afr")};
  for (size_t i = 0; i < header.size(); ++i) {
    const std::string name = trim((utf8 ? fromUtf8(header[i]) : fromWindows1252(header[i])).text);
    columns.names.push_back(name);
    for (const Keystone::Array<Keystone::String>& list : lists) {
      for (int k = 0; k < list.size() && k < names.size(); ++k) {
        if (strcasecmp(name.c_str(), list[k].c_str()) != 0) continue;
        const std::string column = names[k].c_str();
        int* slot = column == "author" ? &columns.author
                    : column == "title" ? &columns.title
                    : column == "isbn" ? &columns.isbn
                    : column == "dewey" ? &columns.dewey
                    : column == "price" ? &columns.price
                    : column == "_condition" ? &columns.condition
                                             : nullptr;
        if (slot && *slot < 0) *slot = static_cast<int>(i);
      }
    }
  }
  return columns;
}

BookDraft mapCsvRow(long row, const std::vector<std::string>& cells, const CsvColumns& columns, bool utf8,
                    const MappingRules& rules) {
  Mapping mapping(row, rules);
  mapping.endsInIsbdPunctuation(false);
  mapping.setTitle(cellText(mapping, cells, columns.title, columns, utf8), columnName(columns, columns.title, "title"));
  mapping.setAuthor(cellText(mapping, cells, columns.author, columns, utf8), columnName(columns, columns.author, "author"));
  mapping.setIsbn(cellText(mapping, cells, columns.isbn, columns, utf8), columnName(columns, columns.isbn, "isbn"));
  mapping.setDewey(cellText(mapping, cells, columns.dewey, columns, utf8), columnName(columns, columns.dewey, "dewey"));
  // A spreadsheet's price column is in the library's currency; a code or sign before it may stay.
  std::string price = cellText(mapping, cells, columns.price, columns, utf8);
  std::string_view amount;
  if (inLibraryCurrency(price, rules, amount)) price = std::string(amount);
  mapping.setPrice(price, columnName(columns, columns.price, "price"));
  mapping.setCondition(cellText(mapping, cells, columns.condition, columns, utf8),
                       columnName(columns, columns.condition, "_condition"));
  return mapping.take();
}

}  // namespace Records
