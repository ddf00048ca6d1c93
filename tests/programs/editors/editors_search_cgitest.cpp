// Editors: search mode, the result page with its row colours and clicks, and stored values escaped.
#include "tests/programs/editors/EditorCgi.h"

using namespace EditorTest;

class EditorSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    db.reset();
    db.addBook("Austen", "Emma", "978-1", 1);
    db.addBook("Austen", "Persuasion", "978-2", 2);
    db.addBook("Bronte", "Jane Eyre", "978-3", 3);
  }
  static std::string property(const char* key) { return Ambry::getProperty(key).c_str(); }
  TestSupport::TestDB db;
};

TEST_F(EditorSearch, SearchModeWithoutCommandSevenShowsABlankFormAndChangesNothing) {
  auto page = post("book_editor", {{"cmd", "3"}, {"id", "2"}}, "lang=eng&search=1");
  EXPECT_NE(page.output.find("   search = true\n"), std::string::npos);
  EXPECT_NE(page.output.find("   entryForm.id.value = \"\";\n   entryForm.author.value = \"\";\n"),
            std::string::npos);
  EXPECT_EQ(resetScript(page.output), "");
  EXPECT_TRUE(popups(page.output).empty());
  EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM BOOK"), "3");
  EXPECT_TRUE(endsWithFooter(page.output));
}

TEST_F(EditorSearch, OnlyTheExactValueOneMeansSearchMode) {
  auto page = get("book_editor", "lang=eng&search=11");
  EXPECT_NE(page.output.find("   search = false\n"), std::string::npos);
  EXPECT_EQ(lastId(page.output), "1");
}

TEST_F(EditorSearch, CommandSevenShowsTheMatchingEntries) {
  auto page = post("book_editor", {{"cmd", "7"}, {"id", ""}, {"author", "Austen"}, {"title", ""}},
                   "lang=eng&search=1");
  EXPECT_NE(page.output.find(english("content_title_search_results")), std::string::npos);
  EXPECT_NE(page.output.find("<form method=\"post\" name=\"requestForm\">\n"
                             "<input type=\"hidden\" name=\"cmd\">\n"),
            std::string::npos);
  EXPECT_NE(page.output.find("Persuasion"), std::string::npos);
  EXPECT_EQ(page.output.find("Jane Eyre"), std::string::npos);
  EXPECT_EQ(page.output.find("entryForm"), std::string::npos);
  EXPECT_TRUE(endsWithFooter(page.output));
}

// A click anywhere on the row opens the entry, and so does the keyboard on the first cell's button.
TEST_F(EditorSearch, ResultRowsAlternateColoursAndOpenTheirEntryOnClick) {
  auto page = post("book_editor", {{"cmd", "7"}});
  const std::string highlight = property("color_highlight");
  const std::string background = property("color_bodybackground");
  const std::string interchange = property("color_interchange");
  const std::string cell = "<td style=\"cursor:hand\" nowrap=\"nowrap\">";
  EXPECT_NE(
      page.output.find("<tr onmouseover=\"bgColor='" + highlight + "'\" onmouseout=\"bgColor='" + background +
                       "'\" onmousedown=\"submitRequestForm(1, 4)\">\n" + cell +
                       "<button type=\"button\" class=\"rowopen\" onmousedown=\"event.stopPropagation()\" "
                       "onclick=\"event.stopPropagation(); submitRequestForm(1, 4)\">1</button></td>"),
      std::string::npos);
  EXPECT_NE(page.output.find("<tr bgcolor=\"" + interchange + "\"onmouseover=\"bgColor='" + highlight +
                             "'\" onmouseout=\"bgColor='" + interchange +
                             "'\" onmousedown=\"submitRequestForm(2, 4)\">\n"),
            std::string::npos);
  EXPECT_NE(page.output.find("<tr onmouseover=\"bgColor='" + highlight + "'\" onmouseout=\"bgColor='" +
                             background + "'\" onmousedown=\"submitRequestForm(3, 4)\">"),
            std::string::npos);
}

class EditorHostileValues : public ::testing::Test {
 protected:
  void SetUp() override {
    db.reset();
    db.exec(
        "INSERT INTO BOOK (id, author, title, isbn, dewey, price, _condition, addDate) VALUES (1, "
        "'back\\\\slash\\nnew line', 'Say \"hi\" </script><img src=x onerror=alert(1)>', 'it''s', " +
        anyDewey(db) + ", 1, 1, NOW())");
  }
  TestSupport::TestDB db;
};

// The raw text of a field's string literal carries no quote, line break or tag that could end it.
static void expectSafeLiteral(const std::string& literal) {
  EXPECT_EQ(literal.find('<'), std::string::npos) << literal;
  EXPECT_EQ(literal.find('\n'), std::string::npos) << literal;
  for (size_t i = 0; i < literal.size(); ++i)
    if (literal[i] == '"' || literal[i] == '\'') {
      ASSERT_GT(i, 0u) << literal;
      EXPECT_EQ(literal[i - 1], '\\') << literal;
    }
}

TEST_F(EditorHostileValues, FormLinesEscapeStoredValues) {
  auto page = get("book_editor");
  const std::string script = resetScript(page.output);
  EXPECT_EQ(script.find("<img"), std::string::npos);
  expectSafeLiteral(field(page.output, "title"));
  expectSafeLiteral(field(page.output, "author"));
  expectSafeLiteral(field(page.output, "isbn"));
  EXPECT_NE(field(page.output, "title").find("hi"), std::string::npos);
  EXPECT_TRUE(controlsEnabled(page.output));  // the script still runs to its end
}

TEST_F(EditorHostileValues, ResultCellsEscapeStoredValues) {
  auto page = post("book_editor", {{"cmd", "7"}});
  EXPECT_EQ(page.output.find("<img"), std::string::npos);
  EXPECT_EQ(page.output.find("</script><img"), std::string::npos);
  EXPECT_NE(page.output.find("&lt;/script&gt;&lt;img src=x onerror=alert(1)&gt;"), std::string::npos);
  EXPECT_NE(page.output.find("Say &quot;hi&quot;"), std::string::npos);
}

TEST_F(EditorHostileValues, PostedValuesShownAgainAreEscaped) {
  auto page = post("book_editor", {{"cmd", "2"},
                                   {"id", "1"},
                                   {"author", "a"},
                                   {"title", "x\"</script>y"},
                                   {"isbn", "1"},
                                   {"dewey", anyDewey(db)},
                                   {"price", ""},
                                   {"_condition", "1"}});
  expectSafeLiteral(field(page.output, "title"));
  EXPECT_EQ(resetScript(page.output).find("</script>y"), std::string::npos);
}
