// What the export writes through YAZ, the import reads back as the same books, in both MARC forms.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ambry/records/BookMapping.h"
#include "ambry/records/MarcWriter.h"

namespace {

TEST(MarcFiles, WrittenBooksReadBackTheSameInBothForms) {
  const std::vector<Records::StoredBook> books = {
      {"1", "Bront\xEB, \xC9mile", "Kreeftige M\xF4re : 'n roman <&>", "9780306406157", "4", "150.00"},
      {"2", "", "\x93Quoted\x94 \x80 title", "0-14", "823", "0.00"},
      // Texts that end as a catalogue's punctuation would: the export says it adds none.
      {"3", "Smith, John, ed.", "Emma. A tale :", "-", "0", "0.00"},
  };
  for (const bool xml : {true, false}) {
    Records::MarcWriter writer(xml, "ZAR");
    std::string file;
    for (const Records::StoredBook& book : books) file += writer.record(book);
    file += writer.end();
    std::vector<Records::BookDraft> read;
    const Records::MarcSink sink = [&](long number, const Records::MarcRecord* record) {
      read.push_back(Records::mapMarcRecord(number, record, Records::mappingRules("ZAR R")));
    };
    const Records::FileFault fault = xml ? Records::readMarcXml(file, sink) : Records::readIso2709(file, sink);
    EXPECT_FALSE(fault) << (xml ? "MARCXML" : "ISO 2709");
    ASSERT_EQ(read.size(), books.size()) << file;
    for (size_t i = 0; i < books.size(); ++i) {
      const std::string form = xml ? "MARCXML" : "ISO 2709";
      EXPECT_EQ(read[i].author, books[i].author.empty() ? "Anon." : books[i].author) << form;
      EXPECT_EQ(read[i].title, books[i].title) << form;
      EXPECT_EQ(read[i].isbn, books[i].isbn) << form;
      EXPECT_EQ(read[i].dewey, books[i].dewey) << form;
      EXPECT_EQ(read[i].price, books[i].price) << form;
    }
    if (!xml) {
      EXPECT_EQ(file[9], 'a') << "ISO 2709 in UTF-8 says so in leader 09";
    }
  }
}

}  // namespace
