// Editors: insert, update and the ISBN scan of the book editor; what is typed is what is kept.
#include "tests/programs/editors/EditorCgi.h"
#include "tests/support/OriginCases.h"
#include "tests/support/PatronCgi.h"

using namespace EditorTest;

namespace {

// Values as librarians type them, in the pages' Windows-1252 bytes (\352 is ê, \364 ô, \222 ’,
// \200 €), each with a part of it that a member might search the catalogue for.
const struct {
  const char* typed;
  const char* part;
} kTyped[] = {
    {"Life & Times of Michael K", "& Times"},
    {"Kr\352eftige M\364re", "M\364r"},
    {"a=b+c 50%", "+c 50%"},
    {"O'Brien \"Jr\"", "'Brien \"J"},
    {"\\", "\\"},
    {"\222n Dag ~ \2005", "~ \200"},
    {"</script><b>x</b>", "<b>x"},
};

}  // namespace

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

TEST_F(EditorChange, RefusedOrFailedInsertShowsThePostedValuesAgain) {
  db.addBook("Bronte", "Jane Eyre", "978-2", 2);
  Params noPrice = book("1", "2", "Flush");
  noPrice[6].second = "";
  Params noCondition = book("1", "2", "Flush");  // a list with nothing chosen sends nothing
  noCondition.erase(noCondition.begin() + 7);
  Params badPrice = book("1", "2", "Flush");  // the server refuses it
  badPrice[6].second = "abc";
  const struct {
    Params params;
    std::string popup;
  } cases[] = {
      {noPrice, englishError("insertBook", "err_info_not_supplied")},
      {noCondition, englishError("insertBook", "err_info_not_supplied")},
      {badPrice, englishError("insertBook", "err_query_unsuccessful")},
  };
  for (const auto& c : cases) {
    auto page = post("book_editor", c.params);
    EXPECT_EQ(popups(page.output), std::vector<std::string>{c.popup});
    EXPECT_EQ(page.output.find("operator[]"), std::string::npos);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM BOOK"), "1");
    EXPECT_EQ(field(page.output, "title"), "Flush");
    EXPECT_EQ(field(page.output, "author"), "Woolf");
    EXPECT_EQ(field(page.output, "id"), "2");
    EXPECT_FALSE(controlsEnabled(page.output));
  }
}

TEST_F(EditorChange, ALetterOutsideTheCharacterSetIsRefusedNamingItsFieldAndShownAsTyped) {
  db.addBook("Bronte", "Jane Eyre", "978-2", 2);
  const std::string before = db.scalar("SELECT CONCAT_WS('|', author, title) FROM BOOK");
  // A browser sends "Kręeftige" from a Windows-1252 page as "Kr&#281;eftige".
  for (const char* cmd : {"1", "2"}) {
    Params params = book(cmd, "2", "Kr&#281;eftige");
    params.push_back({"lastid", "2"});
    auto page = post("book_editor", params);
    Ambry::setLanguage("eng");
    std::string message = str(Ambry::getResource("err_character_not_stored", false).replace("%s", "Title"));
    ASSERT_EQ(popups(page.output).size(), 1u) << cmd;
    EXPECT_EQ(jsText(popups(page.output)[0]), message) << cmd;
    EXPECT_EQ(field(page.output, "title"), "Kr\\u0119eftige") << cmd;
    EXPECT_EQ(field(page.output, "author"), "Woolf") << cmd;
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM BOOK"), "1");
    EXPECT_EQ(db.scalar("SELECT CONCAT_WS('|', author, title) FROM BOOK"), before);
  }
  // In the page's language, for any text field.
  auto page = post("member_editor", {{"cmd", "1"}, {"id", "1"}, {"surname", "Wa&#322;&#281;sa"}}, "lang=afr");
  Ambry::setLanguage("afr");
  std::string message = str(Ambry::getResource("err_character_not_stored", false).replace("%s", "Van"));
  ASSERT_EQ(popups(page.output).size(), 1u);
  EXPECT_EQ(jsText(popups(page.output)[0]), message);
  EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM MEMBER"), "0");
}

TEST_F(EditorChange, TypedValuesAreStoredShownAndFoundExactly) {
  const std::string dewey = anyDewey(db);
  for (const auto& v : kTyped) {
    SCOPED_TRACE(v.typed);
    const std::string typed = v.typed;
    db.reset();
    db.exec("INSERT INTO MEMBER (id, surname, accountExpiryDate) VALUES (1, 'Smith', '2999-01-01')");
    // A book added from a new entry, changed in its price only, found by Find and by the catalogue.
    auto added = post("book_editor", {{"cmd", "1"},
                                      {"id", ""},
                                      {"author", typed},
                                      {"title", typed},
                                      {"isbn", typed},
                                      {"dewey", dewey},
                                      {"price", "10"},
                                      {"_condition", "10"}});
    const std::string book = db.scalar("SELECT MAX(id) FROM BOOK");
    Params save = {{"cmd", "2"},      {"id", book},      {"lastid", book},
                   {"author", typed}, {"title", typed},  {"isbn", typed},
                   {"dewey", dewey},  {"price", "12.5"}, {"_condition", "10"}};
    auto saved = post("book_editor", save);
    EXPECT_EQ(popups(saved.output), std::vector<std::string>{english("msg_entry_updated")});
    EXPECT_EQ(db.scalar("SELECT CONCAT_WS('|', author, title, isbn, price) FROM BOOK"),
              typed + "|" + typed + "|" + typed + "|12.50");
    for (const char* name : {"author", "title", "isbn"}) {
      EXPECT_EQ(fieldText(added.output, name), typed) << name;
      EXPECT_EQ(fieldText(saved.output, name), typed) << name;
    }
    auto found = post("book_editor", {{"cmd", "7"}, {"title", typed}}, "lang=eng&search=1");
    EXPECT_EQ(resultIds(found.output), std::vector<std::string>{book});
    auto lookup = TestSupport::postPatronForm("patron_lookup",
                                              formBody({{"author", ""}, {"title", v.part}, {"isbn", ""}}));
    EXPECT_EQ(TestSupport::resultRowAttributes(lookup.output).size(), 1u);
    EXPECT_NE(lookup.output.find(TestSupport::resultCell(book)), std::string::npos);

    // A member and a blacklisting, every text field typed so.
    auto member = post("member_editor", {{"cmd", "1"},
                                         {"id", "1"},
                                         {"password", typed},
                                         {"surname", typed},
                                         {"firstName", typed},
                                         {"address", typed},
                                         {"contactNo", typed},
                                         {"accountExpiryDate", TestSupport::dateFromToday(30)},
                                         {"accountBalance", "0"}});
    EXPECT_EQ(db.scalar("SELECT CONCAT_WS('|', password, surname, firstName, address, contactNo) FROM MEMBER "
                        "WHERE id = 2"),
              typed + "|" + typed + "|" + typed + "|" + typed + "|" + typed);
    for (const char* name : {"password", "surname", "firstName", "address", "contactNo"})
      EXPECT_EQ(fieldText(member.output, name), typed) << name;
    found = post("member_editor", {{"cmd", "7"}, {"address", typed}}, "lang=eng&search=1");
    EXPECT_EQ(resultIds(found.output), std::vector<std::string>{"2"});

    auto listed = post("blacklist_editor", {{"cmd", "1"}, {"id", ""}, {"memberid", "1"}, {"reason", typed}});
    EXPECT_EQ(db.scalar("SELECT reason FROM BLACKLIST WHERE id = 1"), typed);
    EXPECT_EQ(fieldText(listed.output, "reason"), typed);
    found = post("blacklist_editor", {{"cmd", "7"}, {"reason", typed}}, "lang=eng&search=1");
    EXPECT_EQ(resultIds(found.output), std::vector<std::string>{"1"});
  }
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
  EXPECT_EQ(field(page.output, "_condition"), "10");
  EXPECT_FALSE(controlsEnabled(page.output));
  // Scanned into a new entry that already holds typed values, the form sends them along: kept.
  page = post("book_editor", {{"cmd", "13"},
                              {"id", "978-0-14-044"},
                              {"lastid", "1"},
                              {"author", "Mda"},
                              {"title", "Ways of Dying"},
                              {"dewey", ""},
                              {"_condition", "7"},
                              {"addDate", "2024-01-02"}});
  EXPECT_EQ(field(page.output, "id"), "1");
  EXPECT_EQ(field(page.output, "isbn"), "978-0-14-044");
  EXPECT_EQ(field(page.output, "author"), "Mda");
  EXPECT_EQ(field(page.output, "title"), "Ways of Dying");
  EXPECT_EQ(field(page.output, "_condition"), "7");
  EXPECT_EQ(field(page.output, "addDate"), "2024-01-02");
  EXPECT_EQ(field(page.output, "price"), "");
  EXPECT_FALSE(controlsEnabled(page.output));
}
