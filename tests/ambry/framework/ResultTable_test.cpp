// Result tables: column widths, row and cell attributes, empty cells and the closing line.
#include "tests/ambry/framework/FrameworkTestSupport.h"

class ResultTable : public EnglishPageTest {};

namespace {

std::string begin(const Keystone::Array<Keystone::String>& captions) {
  return TestSupport::captureStdout([&] { Ambry::beginResultTable(captions); });
}

int count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
  return n;
}

// The captions are the column headers.
const char* kCaptionCell =
    "<th scope=\"col\" style=\"border-left:1;border-top:0;border-bottom:0;border-right:0;border-color:blue\" "
    "nowrap=\"nowrap\">";

}  // namespace

TEST_F(ResultTable, ColumnWidthsDropTheRemainder) {
  EXPECT_EQ(1, count(begin(strings({"A"})), "<colgroup width=\"100%\">"));
  EXPECT_EQ(3, count(begin(strings({"A", "B", "C"})), "<colgroup width=\"33%\">"));
  EXPECT_EQ(7, count(begin(strings({"1", "2", "3", "4", "5", "6", "7"})), "<colgroup width=\"14%\">"));
  EXPECT_EQ(8, count(begin(strings({"1", "2", "3", "4", "5", "6", "7", "8"})), "<colgroup width=\"12%\">"));
}

TEST_F(ResultTable, CaptionRowExactly) {
  EXPECT_EQ(std::string("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"5\">\n"
                        "<colgroup width=\"50%\"><colgroup width=\"50%\">\n"
                        "<tr style=\"font-weight:bold;color:orange;background-color:darkgreen\">\n") +
                kCaptionCell + "Book ID</th>" + kCaptionCell + "Title</th></tr>\n",
            begin(strings({"Book ID", "Title"})));
  // No captions: no column groups and no division by zero.
  EXPECT_EQ(
      "<table width=\"100%\" cellspacing=\"0\" cellpadding=\"5\">\n\n"
      "<tr style=\"font-weight:bold;color:orange;background-color:darkgreen\">\n</tr>\n",
      begin(Keystone::Array<Keystone::String>()));
}

TEST_F(ResultTable, RowsWithAndWithoutAttributes) {
  const auto row = [](const Keystone::Array<Keystone::String>& cells, const char* rowAttr,
                      const char* cellAttr) {
    return TestSupport::captureStdout([&] { Ambry::printResultRow(cells, rowAttr, cellAttr); });
  };
  EXPECT_EQ("<tr>\n<td nowrap=\"nowrap\">1</td>\n<td nowrap=\"nowrap\">&nbsp;</td>\n</tr>\n",
            row(strings({"1", ""}), "", ""));
  EXPECT_EQ(
      "<tr bgcolor=\"#BBBBBB\">\n<td onclick=\"go(1)\" nowrap=\"nowrap\">100% <b>x</b></td>\n"
      "<td onclick=\"go(1)\" nowrap=\"nowrap\">y</td>\n</tr>\n",
      row(strings({"100% <b>x</b>", "y"}), "bgcolor=\"#BBBBBB\"", "onclick=\"go(1)\""));
}

TEST_F(ResultTable, TextRowEscapesEachCell) {
  // Stored values are text: markup in a cell is shown, never run; the attributes stay as given.
  EXPECT_EQ(
      "<tr bgcolor=\"#BBBBBB\">\n<td nowrap=\"nowrap\">&lt;b&gt;O&#39;Brien &amp; Co&lt;/b&gt;</td>\n"
      "<td nowrap=\"nowrap\">&nbsp;</td>\n</tr>\n",
      TestSupport::captureStdout([] {
        Ambry::printTextRow(strings({"<b>O'Brien & Co</b>", ""}), "bgcolor=\"#BBBBBB\"", "");
      }));
}

TEST_F(ResultTable, EntryRowOpensFromTheButtonOfItsFirstCell) {
  // The button runs the script for the keyboard and keeps the row's own mouse handlers from running
  // it a second time; every cell, the button's text too, is escaped.
  EXPECT_EQ(
      "<tr onclick=\"open(7)\">\n<td nowrap=\"nowrap\"><button type=\"button\" class=\"rowopen\" "
      "onmousedown=\"event.stopPropagation()\" onclick=\"event.stopPropagation(); "
      "open(7)\">&lt;7&gt;</button></td>\n"
      "<td nowrap=\"nowrap\">O&#39;Brien</td>\n</tr>\n",
      TestSupport::captureStdout([] {
        Ambry::printEntryRow(strings({"<7>", "O'Brien"}), "onclick=\"open(7)\"", "", "open(7)");
      }));
}

TEST_F(ResultTable, EndResultTableInBothLanguages) {
  EXPECT_EQ("</table><br>\nEnd of results.<br>\n",
            TestSupport::captureStdout([] { Ambry::endResultTable(); }));
  Ambry::setLanguage("afr");
  EXPECT_EQ("</table><br>\nEinde van resultate.<br>\n",
            TestSupport::captureStdout([] { Ambry::endResultTable(); }));
}
