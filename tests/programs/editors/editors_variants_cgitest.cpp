// Editors: what the checkout, member and blacklist editors do differently from the book editor.
#include "tests/programs/editors/EditorCgi.h"

using namespace EditorTest;

class EditorVariant : public ::testing::Test {
 protected:
  void SetUp() override { db.reset(); }
  void addCheckout(int id, bool returned) {
    db.exec("INSERT INTO CHECKOUT (id, memberid, bookid, checkoutDate, returnDate, inDate) VALUES (" +
            std::to_string(id) + ", 1, " + std::to_string(100 + id) + ", NOW(), '" +
            TestSupport::dateFromToday(14) + "', " + (returned ? "NOW()" : "'0000-00-00'") + ")");
  }
  void addMember(int id, const std::string& surname) {
    db.exec(
        "INSERT INTO MEMBER (id, password, surname, firstName, address, contactNo, addDate, "
        "accountExpiryDate, accountBalance) VALUES (" +
        std::to_string(id) + ", 'pw', '" + surname + "', 'Ann', '1 Main Road', '555', NOW(), '" +
        TestSupport::dateFromToday(300) + "', 0)");
  }
  TestSupport::TestDB db;
};

TEST_F(EditorVariant, CheckoutFirstViewSkipsReturnedLoans) {
  addCheckout(1, true);
  addCheckout(2, false);
  auto page = get("checkout_editor");
  EXPECT_EQ(lastId(page.output), "2");
  EXPECT_EQ(field(page.output, "bookid"), "102");
  EXPECT_NE(resetScript(page.output)
                .find("   enableEntryFormControls()\n"
                      "   entryForm.btnReturnBook.readOnly = false\n"),
            std::string::npos);
  EXPECT_NE(page.output.find("   entryForm.inDate.readOnly = true\n"
                             "   updateEntryFormDateControls(entryForm.returnDate)\n"),
            std::string::npos);
}

TEST_F(EditorVariant, CheckoutJumpShowsAReturnedLoanButNextSkipsThem) {
  addCheckout(1, true);
  addCheckout(2, true);
  addCheckout(3, false);
  auto jump = post("checkout_editor", {{"cmd", "4"}, {"id", "1"}, {"lastid", "3"}});
  EXPECT_TRUE(popups(jump.output).empty());
  EXPECT_EQ(lastId(jump.output), "1");
  EXPECT_EQ(field(jump.output, "inDate"), db.scalar("SELECT inDate FROM CHECKOUT WHERE id = 1"));
  auto next = post("checkout_editor", {{"cmd", "6"}, {"id", "1"}, {"lastid", "1"}});
  EXPECT_EQ(lastId(next.output), "3");
}

TEST_F(EditorVariant, CheckInShowsTheOutstandingLoanBeforeWithoutAMessage) {
  addCheckout(3, false);
  addCheckout(5, false);
  addCheckout(7, false);
  auto page = post("checkout_editor", {{"cmd", "8"}, {"id", "5"}, {"lastid", "5"}});
  EXPECT_NE(db.scalar("SELECT inDate FROM CHECKOUT WHERE id = 5"), "0000-00-00 00:00:00");
  EXPECT_EQ(popups(page.output), std::vector<std::string>{english("msg_book_returned")});
  EXPECT_EQ(lastId(page.output), "3");
  EXPECT_TRUE(controlsEnabled(page.output));
}

TEST_F(EditorVariant, CheckoutDeleteOfAReturnedLoanStillShowsIt) {
  addCheckout(2, false);
  addCheckout(4, true);
  auto page = post("checkout_editor", {{"cmd", "3"}, {"id", "4"}, {"lastid", "4"}});
  EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM CHECKOUT"), "2");  // a returned loan cannot be deleted
  EXPECT_EQ(lastId(page.output), "4");
}

TEST_F(EditorVariant, MemberScanOfANewIdGivesAFreshEnabledEntry) {
  addMember(3, "Smith");
  auto page = post("member_editor", {{"cmd", "14"}, {"id", "77"}, {"lastid", "3"}});
  EXPECT_TRUE(popups(page.output).empty());
  EXPECT_EQ(lastId(page.output), "1");
  EXPECT_EQ(field(page.output, "id"), "77");
  EXPECT_EQ(field(page.output, "addDate"), today());
  EXPECT_EQ(field(page.output, "accountExpiryDate"), today());
  EXPECT_EQ(field(page.output, "surname"), "");
  EXPECT_TRUE(controlsEnabled(page.output));
  // What was typed into the new entry before the id was scanned stays.
  auto typed = post("member_editor", {{"cmd", "14"},
                                      {"id", "78"},
                                      {"lastid", "3"},
                                      {"surname", "Botha"},
                                      {"accountExpiryDate", "2031-05-06"}});
  EXPECT_EQ(field(typed.output, "id"), "78");
  EXPECT_EQ(field(typed.output, "surname"), "Botha");
  EXPECT_EQ(field(typed.output, "accountExpiryDate"), "2031-05-06");
  EXPECT_EQ(field(typed.output, "addDate"), today());
  // Member ids are typed or scanned, so the id stays editable.
  EXPECT_EQ(page.output.find("entryForm.id.readOnly"), std::string::npos);
  EXPECT_NE(page.output.find("   entryForm.addDate.readOnly = true\n"
                             "   updateEntryFormDateControls(entryForm.accountExpiryDate)\n"),
            std::string::npos);
}

TEST_F(EditorVariant, MemberScanOfAnExistingIdShowsTheMember) {
  addMember(3, "Smith");
  addMember(12, "Jones");
  auto page = post("member_editor", {{"cmd", "14"}, {"id", "12"}, {"lastid", "3"}});
  EXPECT_EQ(lastId(page.output), "12");
  EXPECT_EQ(field(page.output, "surname"), "Jones");
  EXPECT_TRUE(controlsEnabled(page.output));
}

TEST_F(EditorVariant, BlacklistScanShowsTheMembersBlacklisting) {
  db.exec(
      "INSERT INTO BLACKLIST (id, memberid, addDate, reason) VALUES (2, 4, NOW(), 'Lost books'), "
      "(5, 9, NOW(), 'Unpaid fines')");
  auto page = post("blacklist_editor", {{"cmd", "14"}, {"id", "9"}, {"lastid", "2"}});
  EXPECT_EQ(lastId(page.output), "5");
  EXPECT_EQ(field(page.output, "reason"), "Unpaid fines");
  EXPECT_TRUE(controlsEnabled(page.output));
}

TEST_F(EditorVariant, BlacklistScanOfAnUnlistedMemberGivesAnEmptyEntryForThem) {
  db.exec("INSERT INTO BLACKLIST (id, memberid, addDate, reason) VALUES (2, 4, NOW(), 'Lost books')");
  auto page = post("blacklist_editor", {{"cmd", "14"}, {"id", "8"}, {"lastid", "2"}});
  EXPECT_TRUE(popups(page.output).empty());
  EXPECT_EQ(lastId(page.output), "1");
  EXPECT_EQ(field(page.output, "id"), "1");
  EXPECT_EQ(field(page.output, "memberid"), "8");
  EXPECT_EQ(field(page.output, "addDate"), today());
  EXPECT_EQ(field(page.output, "reason"), "");
  EXPECT_FALSE(controlsEnabled(page.output));
}

TEST_F(EditorVariant, BlacklistUpdateShowsTheEmptyEntry) {
  addMember(4, "Smith");
  addMember(5, "Jones");
  db.exec("INSERT INTO BLACKLIST (id, memberid, addDate, reason) VALUES (1, 4, NOW(), 'Lost books')");
  auto page =
      post("blacklist_editor",
           {{"cmd", "2"}, {"id", "1"}, {"memberid", "5"}, {"reason", "Damaged books"}, {"lastid", "1"}});
  EXPECT_EQ(lastId(page.output), "1");
  EXPECT_EQ(field(page.output, "id"), "1");
  EXPECT_EQ(field(page.output, "memberid"), "");
  EXPECT_EQ(field(page.output, "reason"), "");
  EXPECT_EQ(field(page.output, "addDate"), today());
  EXPECT_FALSE(controlsEnabled(page.output));
  // A save that did not go through shows what was typed, to be put right.
  page = post("blacklist_editor",
              {{"cmd", "2"}, {"id", "1"}, {"memberid", "99"}, {"reason", "Torn pages"}, {"lastid", "1"}});
  EXPECT_EQ(popups(page.output),
            std::vector<std::string>{englishError("updateBlacklisting", "err_member_not_exist")});
  EXPECT_EQ(field(page.output, "memberid"), "99");
  EXPECT_EQ(field(page.output, "reason"), "Torn pages");
  EXPECT_TRUE(controlsEnabled(page.output));
  EXPECT_EQ(db.scalar("SELECT CONCAT(memberid, reason) FROM BLACKLIST"), "5Damaged books");
}

TEST_F(EditorVariant, NullColumnsAreWrittenAsEmptyValues) {
  db.exec("INSERT INTO MEMBER (id, surname) VALUES (1, 'Nobody')");
  auto page = get("member_editor");
  EXPECT_EQ(field(page.output, "surname"), "Nobody");
  EXPECT_EQ(field(page.output, "contactNo"), "");
  EXPECT_EQ(field(page.output, "accountExpiryDate"), "");
  EXPECT_EQ(page.output.find("(null)"), std::string::npos);
  auto results = post("member_editor", {{"cmd", "7"}});
  EXPECT_NE(results.output.find(">Nobody</td>"), std::string::npos);
  EXPECT_EQ(results.output.find("(null)"), std::string::npos);
}
