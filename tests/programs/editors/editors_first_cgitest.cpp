// Editors: the first-entry view (command 0 and every code that stands for it) and database failures.
#include <cstdlib>

#include "tests/programs/editors/EditorCgi.h"
#include "tests/support/PageFrame.h"

using namespace EditorTest;

class EditorFirstEntry : public ::testing::Test {
 protected:
  void SetUp() override { db.reset(); }
  TestSupport::TestDB db;
};

TEST_F(EditorFirstEntry, EmptyTableGivesTheEmptyEntryWithTodaysDate) {
  auto page = get("book_editor");
  EXPECT_EQ(page.exitStatus, 0);
  EXPECT_EQ(page.output.rfind(TestSupport::kHtmlHeader, 0), 0u);
  EXPECT_EQ(lastId(page.output), "1");
  EXPECT_EQ(field(page.output, "id"), "1");
  EXPECT_EQ(field(page.output, "addDate"), today());
  for (const char* name : {"author", "title", "isbn", "dewey", "price"})
    EXPECT_EQ(field(page.output, name), "") << name;
  EXPECT_EQ(field(page.output, "_condition"), "10");  // a new book starts as new, a valid choice
  EXPECT_FALSE(controlsEnabled(page.output));
  EXPECT_TRUE(popups(page.output).empty());
  EXPECT_NE(page.output.find("   }\n   resetEntryForm()\n   entryForm.id.readOnly = true\n"
                             "   entryForm.addDate.readOnly = true\n</script>"),
            std::string::npos);
  EXPECT_TRUE(endsWithFooter(page.output));
}

TEST_F(EditorFirstEntry, EachTableFillsItsOwnDateFieldsInTheEmptyEntry) {
  auto checkout = get("checkout_editor");
  EXPECT_EQ(field(checkout.output, "checkoutDate"), today());
  EXPECT_EQ(field(checkout.output, "returnDate"), today());
  EXPECT_EQ(field(checkout.output, "inDate"), "");
  auto member = get("member_editor");
  EXPECT_EQ(field(member.output, "id"), "1");
  EXPECT_EQ(field(member.output, "addDate"), today());
  EXPECT_EQ(field(member.output, "accountExpiryDate"), today());
  EXPECT_EQ(field(member.output, "surname"), "");
  for (const char* program : {"blacklist_editor", "reservation_editor"}) {
    auto page = get(program);
    EXPECT_EQ(field(page.output, "addDate"), today()) << program;
    EXPECT_EQ(field(page.output, "memberid"), "") << program;
    EXPECT_FALSE(controlsEnabled(page.output)) << program;
  }
}

// The entry page, its search mode and the results: each field has its own id, which its caption
// labels (the hidden command fields go by name alone).
TEST_F(EditorFirstEntry, EveryEditorPageLabelsEachFieldByAnIdOfItsOwn) {
  db.addBook("Tolkien", "The Hobbit", "978-0261", 1);
  for (const char* program :
       {"book_editor", "member_editor", "checkout_editor", "reservation_editor", "blacklist_editor"}) {
    for (const auto& page : {get(program).output, get(program, "lang=afr&search=1").output,
                             post(program, {{"cmd", "7"}}).output}) {
      EXPECT_EQ(TestSupport::idFaults(page), std::vector<std::string>{}) << program << "\n" << page;
      EXPECT_EQ(page.find("<input type=\"hidden\" id="), std::string::npos) << program;
    }
    EXPECT_NE(get(program).output.find("<label for=\"id\">"), std::string::npos) << program;
  }
}

TEST_F(EditorFirstEntry, FilledTableShowsEntryOneWithControlsEnabled) {
  db.addBook("Tolkien", "The Hobbit", "978-0261", 1);
  db.addBook("Lewis", "Narnia", "978-0064", 2);
  auto page = get("book_editor");
  EXPECT_EQ(lastId(page.output), "1");
  EXPECT_EQ(field(page.output, "author"), "Tolkien");
  EXPECT_EQ(field(page.output, "title"), "The Hobbit");
  EXPECT_EQ(field(page.output, "addDate"), db.scalar("SELECT addDate FROM BOOK WHERE id = 1"));
  EXPECT_TRUE(controlsEnabled(page.output));
}

TEST_F(EditorFirstEntry, WithoutEntryOneTheFourthTryFindsTheNextEntry) {
  db.addBook("Austen", "Emma", "978-1", 4);
  db.addBook("Eliot", "Middlemarch", "978-2", 6);
  auto page = get("book_editor");
  EXPECT_EQ(lastId(page.output), "4");
  EXPECT_EQ(field(page.output, "title"), "Emma");
  EXPECT_TRUE(controlsEnabled(page.output));
  EXPECT_TRUE(popups(page.output).empty());
}

TEST_F(EditorFirstEntry, UnknownCommandCodesBehaveLikeCommandZero) {
  db.addBook("Lewis", "Narnia", "978-0064", 2);
  db.addBook("Eliot", "Middlemarch", "978-2", 3);
  const std::string first = resetScript(post("book_editor", {{"cmd", "0"}, {"id", "3"}}).output);
  ASSERT_NE(first.find("Narnia"), std::string::npos);
  for (const char* code : {"abc", "-1", "99", "", "8", "14"})
    EXPECT_EQ(resetScript(post("book_editor", {{"cmd", code}, {"id", "3"}}).output), first) << code;
}

TEST_F(EditorFirstEntry, ReservationEditorTreatsScanCodesLikeCommandZero) {
  db.exec(
      "INSERT INTO RESERVATION (id, memberid, bookid, addDate) VALUES (2, 5, 9, NOW()), (3, 6, 9, NOW())");
  const std::string first = resetScript(post("reservation_editor", {{"cmd", "0"}, {"id", "3"}}).output);
  EXPECT_EQ(quotedAfter(first, "      requestForm.lastid.value = "), "2");
  for (const char* code : {"13", "14", "8"})
    EXPECT_EQ(resetScript(post("reservation_editor", {{"cmd", code}, {"id", "3"}}).output), first) << code;
}

TEST(EditorFailure, UnreachableDatabaseShowsTheReasonAndTheFooter) {
  ASSERT_NE(TestSupport::staffSessionCookie(), "");  // signed in while the server still runs
  const char* saved = getenv("MYSQL_UNIX_PORT");
  std::string socket = saved ? saved : "";
  setenv("MYSQL_UNIX_PORT", "/nonexistent/ambry-test.sock", 1);
  auto page = get("book_editor");
  if (saved) setenv("MYSQL_UNIX_PORT", socket.c_str(), 1);
  EXPECT_EQ(page.exitStatus, 0);
  std::string reason = english("err_query_unsuccessful_reason");
  reason = reason.substr(0, reason.find("%s"));
  EXPECT_NE(page.output.find(reason + "openConnection - " + english("err_connect_failed")), std::string::npos)
      << page.output;
  EXPECT_EQ(resetScript(page.output), "");
  EXPECT_TRUE(endsWithFooter(page.output));
}
