// Editors: insert, update and the ISBN scan of the book editor.
#include "tests/programs/editors/EditorCgi.h"
#include "tests/support/OriginCases.h"

using namespace EditorTest;

class EditorChange : public ::testing::Test {
 protected:
  void SetUp() override { db.reset(); }
  Params book(const std::string& cmd, const std::string& id, const std::string& title) {
    return {{"cmd", cmd},     {"id", id},          {"author", "Woolf"},
            {"title", title}, {"isbn", "978-9"},   {"dewey", anyDewey(db)},
            {"price", "120"}, {"_condition", "8"}, {"addDate", today()}};
  }
  TestSupport::TestDB db;
};

TEST_F(EditorChange, InsertShowsTheNewEntry) {
  db.addBook("Austen", "Emma", "978-1", 1);
  db.addBook("Bronte", "Jane Eyre", "978-2", 2);
  auto page = post("book_editor", book("1", "2", "Orlando"));
  EXPECT_EQ(popups(page.output), std::vector<std::string>{english("msg_entry_added")});
  EXPECT_EQ(db.scalar("SELECT title FROM BOOK WHERE id = 3"), "Orlando");
  EXPECT_EQ(lastId(page.output), "3");
  EXPECT_EQ(field(page.output, "id"), "3");
  EXPECT_EQ(field(page.output, "addDate"), db.scalar("SELECT addDate FROM BOOK WHERE id = 3"));
  EXPECT_TRUE(controlsEnabled(page.output));
}

TEST_F(EditorChange, InsertWhoseNewIdEqualsThePostedIdIsNotReloaded) {
  auto page = post("book_editor", book("1", "1", "The Waves"));
  EXPECT_EQ(db.scalar("SELECT title FROM BOOK WHERE id = 1"), "The Waves");
  EXPECT_EQ(lastId(page.output), "1");
  EXPECT_EQ(field(page.output, "title"), "The Waves");
  EXPECT_EQ(field(page.output, "addDate"), today());  // the posted value, not the stored time
  EXPECT_FALSE(controlsEnabled(page.output));
}

TEST_F(EditorChange, RefusedInsertShowsThePostedValuesAgain) {
  db.addBook("Bronte", "Jane Eyre", "978-2", 2);
  Params params = book("1", "2", "Flush");
  params[6].second = "";  // no price
  auto page = post("book_editor", params);
  ASSERT_EQ(popups(page.output).size(), 1u);
  EXPECT_NE(popups(page.output)[0].find("insertBook"), std::string::npos);
  EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM BOOK"), "1");
  EXPECT_EQ(field(page.output, "title"), "Flush");
  EXPECT_EQ(field(page.output, "id"), "2");
  EXPECT_FALSE(controlsEnabled(page.output));
}

TEST_F(EditorChange, UpdateShowsThePostedValuesWithLastIdOne) {
  db.addBook("Bronte", "Jane Eyre", "978-4", 4);
  auto page = post("book_editor", book("2", "4", "Jane Eyre, revised"));
  EXPECT_EQ(popups(page.output), std::vector<std::string>{english("msg_entry_updated")});
  EXPECT_EQ(db.scalar("SELECT author FROM BOOK WHERE id = 4"), "Woolf");
  EXPECT_EQ(lastId(page.output), "1");
  EXPECT_EQ(field(page.output, "id"), "4");
  EXPECT_EQ(field(page.output, "title"), "Jane Eyre, revised");
  EXPECT_EQ(field(page.output, "price"), "120");
  EXPECT_EQ(field(page.output, "addDate"), today());
  EXPECT_TRUE(controlsEnabled(page.output));
}

TEST_F(EditorChange, UpdateOfAnotherEntryThanTheOneShownChangesNothing) {
  db.addBook("Austen", "Emma", "978-1", 1);
  db.addBook("Bronte", "Jane Eyre", "978-4", 4);
  const std::string before =
      db.scalar("SELECT GROUP_CONCAT(CONCAT_WS('|', id, author, title) ORDER BY id) FROM BOOK");
  for (const char* language : {"eng", "afr"}) {
    Params params = book("2", "1", "Orlando");  // the id typed over while book 4 was shown
    params.push_back({"lastid", "4"});
    auto page = post("book_editor", params, std::string("lang=") + language);
    Ambry::setLanguage(language);
    EXPECT_EQ(popups(page.output),
              std::vector<std::string>{Ambry::getResource("err_update_other_entry", false).c_str()})
        << language;
    EXPECT_EQ(db.scalar("SELECT GROUP_CONCAT(CONCAT_WS('|', id, author, title) ORDER BY id) FROM BOOK"),
              before);
    EXPECT_EQ(lastId(page.output), "4");  // the shown entry again, as stored
    EXPECT_EQ(field(page.output, "title"), "Jane Eyre");
    EXPECT_TRUE(controlsEnabled(page.output));
  }
  // Saving the entry shown goes through.
  Params params = book("2", "4", "Jane Eyre, revised");
  params.push_back({"lastid", "4"});
  EXPECT_EQ(popups(post("book_editor", params).output),
            std::vector<std::string>{english("msg_entry_updated")});
  EXPECT_EQ(db.scalar("SELECT title FROM BOOK WHERE id = 4"), "Jane Eyre, revised");
}

TEST_F(EditorChange, ChangesFromAnotherSiteAreRefused) {
  for (const TestSupport::OriginCase& origin : TestSupport::originCases()) {
    db.reset();
    db.addBook("Bronte", "Jane Eyre", "978-4", 4);
    Params update = book("2", "4", "Forged");
    update.push_back({"lastid", "4"});
    TestSupport::CgiRequest request;
    request.program = "book_editor";
    request.query = "lang=eng";
    request.body = formBody(update);
    request.env = origin.env;
    auto page = TestSupport::runCgi(request);
    EXPECT_EQ(db.scalar("SELECT title FROM BOOK WHERE id = 4"), origin.allowed ? "Forged" : "Jane Eyre")
        << origin.name;
    if (origin.allowed) continue;
    // The entry is shown as it stands, on a complete page.
    EXPECT_EQ(popups(page.output), std::vector<std::string>{english("err_cross_site")}) << origin.name;
    EXPECT_EQ(field(page.output, "title"), "Jane Eyre") << origin.name;
    EXPECT_NE(page.output.find("</html>"), std::string::npos) << origin.name;
  }
}

TEST_F(EditorChange, IsbnScanOfAKnownIsbnShowsItsBook) {
  db.addBook("Austen", "Emma", "978-1", 1);
  db.addBook("Bronte", "Jane Eyre", "978-2", 2);
  auto page = post("book_editor", {{"cmd", "13"}, {"id", "978-2"}, {"lastid", "1"}});
  EXPECT_EQ(lastId(page.output), "2");
  EXPECT_EQ(field(page.output, "title"), "Jane Eyre");
  EXPECT_TRUE(controlsEnabled(page.output));
}

TEST_F(EditorChange, IsbnScanOfAnUnknownIsbnGivesAnEmptyFormCarryingIt) {
  db.addBook("Austen", "Emma", "978-1", 1);
  auto page = post("book_editor", {{"cmd", "13"}, {"id", "978-0-14-044"}, {"lastid", "1"}});
  EXPECT_TRUE(popups(page.output).empty());
  EXPECT_EQ(lastId(page.output), "1");
  EXPECT_EQ(field(page.output, "id"), "1");
  EXPECT_EQ(field(page.output, "isbn"), "978-0-14-044");
  EXPECT_EQ(field(page.output, "title"), "");
  EXPECT_EQ(field(page.output, "addDate"), today());
  EXPECT_FALSE(controlsEnabled(page.output));
}
