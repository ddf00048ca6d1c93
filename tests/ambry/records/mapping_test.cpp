// The mapping of MARC records and CSV rows to books: the fields each comes from, the defaults and
// the remarks, prices, and the CSV reading that spreadsheets of either language need.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ambry/records/BookMapping.h"
#include "ambry/records/Csv.h"

namespace {

using Records::BookDraft;
using Records::Field;
using Records::MarcRecord;
using Records::NoteKind;

Field field(const char* tag, std::vector<Records::Subfield> subfields) {
  return {tag, "", std::move(subfields)};
}

std::vector<NoteKind> kinds(const BookDraft& draft) {
  std::vector<NoteKind> found;
  for (const Records::Note& note : draft.notes) found.push_back(note.kind);
  return found;
}

Records::MappingRules rules() {
  Records::MappingRules rules = Records::mappingRules(" ZAR  R ");
  rules.deweyCodes.assign(1000, true);
  rules.deweyCodes[999] = false;  // a library whose table lacks a code
  return rules;
}

BookDraft mapped(std::vector<Field> fields) {
  MarcRecord record;
  record.fields = std::move(fields);
  return Records::mapMarcRecord(7, &record, rules());
}

TEST(MarcMapping, AFullRecordGivesEveryFieldWithoutRemarks) {
  const BookDraft book = mapped({
      field("020", {{'a', "0-306-40615-3"}}),  // an invalid ISBN first: the valid one is taken
      field("020", {{'a', "0306406152 (pbk.)"}, {'c', "R1,250.50"}}),
      field("082", {{'a', "823/.914"}}),
      field("100", {{'a', "Bronte\xCC\x88, \xC3\x89mile,"}}),
      field("245", {{'a', "Kreeftige M\xC3\xB4re :"}, {'b', "'n roman /"}, {'c', "deur iemand."}}),
  });
  EXPECT_FALSE(book.skipped);
  EXPECT_EQ(book.number, 7);
  EXPECT_EQ(book.author, "Bront\xEB, \xC9mile");
  EXPECT_EQ(book.title, "Kreeftige M\xF4re : 'n roman");
  EXPECT_EQ(book.isbn, "9780306406157");
  EXPECT_TRUE(book.isbnValid);
  EXPECT_EQ(book.dewey, "823");
  EXPECT_EQ(book.price, "1250.50");
  EXPECT_EQ(book.condition, "");  // MARC has none: the file's choice
  EXPECT_TRUE(book.notes.empty());

  // Leader 18 'c': the catalogue's punctuation was left out, so the texts keep how they end.
  MarcRecord bare;
  bare.leader = "00000nam a22000007c 4500";
  bare.fields = {field("100", {{'a', "Smith, John, ed."}}), field("245", {{'a', "Emma."}})};
  const BookDraft kept = Records::mapMarcRecord(8, &bare, rules());
  EXPECT_EQ(kept.author, "Smith, John, ed.");
  EXPECT_EQ(kept.title, "Emma.");
  bare.leader[18] = 'a';
  EXPECT_EQ(Records::mapMarcRecord(9, &bare, rules()).title, "Emma");
}

struct MarcCase {
  const char* name;
  std::vector<Field> fields;
  std::vector<NoteKind> notes;
  const char* author;
  const char* title;
  const char* isbn;
  const char* dewey;
  const char* price;
};

TEST(MarcMapping, MissingAndForeignFieldsGetDefaultsAndRemarks) {
  const Field title = field("245", {{'a', "Title."}});
  const MarcCase cases[] = {
      {"corporate author, then 700", {field("110", {{'a', "Unesco."}}), title}, {NoteKind::kDefaultIsbn, NoteKind::kDefaultDewey, NoteKind::kDefaultPrice},
       "Unesco", "Title", "-", "0", "0.00"},
      {"added entry only", {field("700", {{'a', "Tolkien, J. R. R.,"}}), title, field("020", {{'a', "0-14"}})},
       {NoteKind::kInvalidIsbn, NoteKind::kDefaultDewey, NoteKind::kDefaultPrice}, "Tolkien, J. R. R.", "Title",
       "0-14", "0", "0.00"},
      {"no author", {title, field("082", {{'a', "[Fic]"}}), field("020", {{'c', "$25.00"}})},
       {NoteKind::kDefaultAuthor, NoteKind::kDefaultIsbn, NoteKind::kUnknownDewey, NoteKind::kOtherCurrency},
       "Anon.", "Title", "-", "0", "0.00"},
      {"365 in the library's currency", {title, field("365", {{'a', "02"}, {'b', "99.5"}, {'c', "zar"}}),
                                         field("082", {{'a', "999"}})},
       {NoteKind::kDefaultAuthor, NoteKind::kDefaultIsbn, NoteKind::kUnknownDewey}, "Anon.", "Title", "-", "0", "99.50"},
      {"020 $c in rupees, not rand", {title, field("020", {{'c', "Rs. 150"}}), field("082", {{'a', "4"}})},
       {NoteKind::kDefaultAuthor, NoteKind::kDefaultIsbn, NoteKind::kOtherCurrency}, "Anon.", "Title", "-", "4",
       "0.00"},
      {"a letter the catalogue cannot hold", {field("245", {{'a', "Wi\xC4\x99" "cej"}}), field("100", {{'a', "A"}})},
       {NoteKind::kUnwritable, NoteKind::kDefaultIsbn, NoteKind::kDefaultDewey, NoteKind::kDefaultPrice}, "A",
       "Wi?cej", "-", "0", "0.00"},
      {"a qualifier and no number", {field("245", {{'a', "T"}}), field("100", {{'a', "A"}}), field("020", {{'a', " (pbk.)"}})},
       {NoteKind::kDefaultIsbn, NoteKind::kDefaultDewey, NoteKind::kDefaultPrice}, "A", "T", "-", "0", "0.00"},
      {"no title", {field("100", {{'a', "A"}}), field("245", {{'c', "by A."}})}, {NoteKind::kNoTitle}, nullptr,
       nullptr, nullptr, nullptr, nullptr},
  };
  for (const MarcCase& c : cases) {
    const BookDraft book = mapped(c.fields);
    std::vector<NoteKind> notes = kinds(book);
    if (!c.title) {
      EXPECT_TRUE(book.skipped) << c.name;
      ASSERT_FALSE(notes.empty()) << c.name;
      EXPECT_EQ(notes.front(), NoteKind::kNoTitle) << c.name;
      continue;
    }
    EXPECT_FALSE(book.skipped) << c.name;
    EXPECT_EQ(notes, c.notes) << c.name;
    EXPECT_EQ(book.author, c.author) << c.name;
    EXPECT_EQ(book.title, c.title) << c.name;
    EXPECT_EQ(book.isbn, c.isbn) << c.name;
    EXPECT_EQ(book.dewey, c.dewey) << c.name;
    EXPECT_EQ(book.price, c.price) << c.name;
  }
  const BookDraft unreadable = Records::mapMarcRecord(3, nullptr, rules());
  EXPECT_TRUE(unreadable.skipped);
  EXPECT_EQ(kinds(unreadable), std::vector<NoteKind>{NoteKind::kUnreadable});
}

TEST(Prices, PointOrCommaBeforeTheCentsAndEitherBetweenThousands) {
  const std::pair<const char*, const char*> cases[] = {
      {"150", "150.00"},       {"150.5", "150.50"},     {"150,50", "150.50"},        {"1,250.00", "1250.00"},
      {"1.250,00", "1250.00"}, {"1 250,00", "1250.00"}, {"1,250", "1250.00"},        {"150.00 (pbk.)", "150.00"},
      {"007", "7.00"},         {",5", "0.50"},          {"99999999.99", "99999999.99"}, {"123456789", ""},
      {"abc", ""},             {"12x", ""},             {"", ""},                    {"-5", ""},
  };
  for (const auto& [written, stored] : cases) EXPECT_EQ(Records::priceAmount(written), stored) << written;
}

// The rows of a CSV file, and the fault that stops it.
std::vector<std::vector<std::string>> csvRows(const std::string& data, Records::FileFault* fault = nullptr) {
  std::vector<std::vector<std::string>> rows;
  const Records::FileFault found = Records::readCsv(data, Records::csvShape(data),
                                                    [&](long, const std::vector<std::string>& cells) { rows.push_back(cells); });
  if (fault) *fault = found;
  return rows;
}

TEST(Csv, SpreadsheetFilesOfEitherKindSplitIntoTheirCells) {
  using Rows = std::vector<std::vector<std::string>>;
  EXPECT_EQ(csvRows("a,b\r\n\"x, \"\"y\"\"\",\"two\nlines\"\r\n"), (Rows{{"a", "b"}, {"x, \"y\"", "two\nlines"}}));
  // Semicolons when the header has more of them; a byte-order mark; a last line without its break.
  EXPECT_EQ(csvRows("\xEF\xBB\xBFTitel;Prys\n\nKr\xC3\xAA" "eftige;12,50"), (Rows{{"Titel", "Prys"}, {"Kr\xC3\xAA" "eftige", "12,50"}}));
  EXPECT_TRUE(Records::csvShape("\xEF\xBB\xBFTitle\n").utf8);
  EXPECT_FALSE(Records::csvShape("Title\nKr\xEA" "eftige\n").utf8);  // Windows-1252
  EXPECT_EQ(csvRows(",\n"), (Rows{{"", ""}}));
  Records::FileFault fault;
  csvRows("Title\nok\n\"open\nand never closed\n", &fault);
  EXPECT_EQ(fault.kind, Records::FaultKind::kCsvQuote);
  EXPECT_EQ(fault.record, 3);
}

TEST(Csv, ColumnsAreRecognisedInEitherLanguageAndRowsMapped) {
  const Records::CsvColumns afrikaans =
      Records::csvColumns({"Boek ID", " outeur ", "TITEL", "ISBN", "Dewey", "Prys", "Toestand", "Ander"}, false);
  EXPECT_EQ(afrikaans.author, 1);
  EXPECT_EQ(afrikaans.title, 2);
  EXPECT_EQ(afrikaans.condition, 6);
  const Records::CsvColumns english = Records::csvColumns({"Title", "_condition", "price", "Author"}, true);
  EXPECT_EQ(english.title, 0);
  EXPECT_EQ(english.condition, 1);
  EXPECT_EQ(english.price, 2);
  EXPECT_EQ(english.isbn, -1);

  // The writer's guard against formulas comes off; an Afrikaans "'n" is no guard.
  const BookDraft guarded = Records::mapCsvRow(2, {"'=HYPERLINK(x)", "11", "R 12,50", "'n Skrywer"}, english, true, rules());
  EXPECT_EQ(guarded.title, "=HYPERLINK(x)");
  EXPECT_EQ(guarded.author, "'n Skrywer");
  EXPECT_EQ(guarded.price, "12.50");
  EXPECT_EQ(guarded.condition, "");
  EXPECT_EQ(kinds(guarded), (std::vector<NoteKind>{NoteKind::kDefaultIsbn, NoteKind::kDefaultDewey, NoteKind::kBadCondition}));
  const BookDraft plain = Records::mapCsvRow(3, {"Kr\xEA" "eftige.", " 7 ", "", "Brink /"}, english, false, rules());
  EXPECT_EQ(plain.title, "Kr\xEA" "eftige.");  // a spreadsheet's cells have no catalogue punctuation
  EXPECT_EQ(plain.author, "Brink /");
  EXPECT_EQ(plain.condition, "7");
  EXPECT_EQ(plain.price, "0.00");
}

}  // namespace
