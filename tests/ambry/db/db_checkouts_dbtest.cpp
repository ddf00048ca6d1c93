// AmbryDB's loans: the lending rules in order, the oldest-reservation rule, moving, returning and
// deleting loans with their reservation notices.
#include "tests/ambry/db/DbTestSupport.h"

namespace {

class Checkouts : public DbTest {
 protected:
  Query loan(const std::string& member, const std::string& book, int dueInDays = 14) {
    return query({{"memberid", member}, {"bookid", book}, {"returnDate", dateFromToday(dueInDays)}});
  }
  std::string lend(const Query& form, Keystone::String* id = nullptr) {
    return captureStdout([&] {
      Keystone::String got = db.insertCheckout(form);
      if (id) *id = got;
    });
  }
  std::string openLoans(const std::string& book) {
    return count("CHECKOUT", "bookid = " + book + " AND inDate = 0");
  }
};

TEST_F(Checkouts, LendingAFreeBookMakesAnOpenLoan) {
  std::string member = addMember();
  std::string book = sql.addBook();
  Keystone::String id;
  std::string out = lend(loan(member, book, 0), &id);  // due today is accepted
  EXPECT_TRUE(popsUp(out, english("msg_entry_added"))) << out;
  EXPECT_EQ(str(id), "1");
  EXPECT_EQ(sql.scalar("SELECT CONCAT_WS('|', memberid, bookid, returnDate, inDate) FROM CHECKOUT"),
            member + "|" + book + "|" + dateFromToday(0) + "|0000-00-00 00:00:00");
}

TEST_F(Checkouts, RefusalsComeInTheStatedOrder) {
  std::string member = addMember();
  std::string expired = addMember(0);  // expires today: may no longer borrow
  std::string blacklisted = addMember(-3);
  addBlacklisting(blacklisted);
  std::string book = sql.addBook();
  std::string lentOut = sql.addBook();
  addCheckout(member, lentOut);
  Query noDate = loan(member, book);
  noDate["returnDate"] = "";
  Query wrongPassword = loan(member, book);
  wrongPassword["password"] = "SECRET";
  Query shown = loan(member, "99");
  shown["checkoutid"] = "12";
  struct Case {
    Query form;
    const char* key;
  } cases[] = {
      {noDate, "err_info_not_supplied"},
      {loan("99", book), "err_member_not_exist"},
      {wrongPassword, "err_member_not_exist"},
      {loan(blacklisted, "99"), "err_checkout_prohibited"},  // before account and book
      {loan(expired, book), "err_account_expired"},
      {shown, "err_book_not_exist"},
      {loan(member, lentOut), "err_checkout_invalid_checkout_exists"},
      {loan(member, book, -1), "err_return_date_invalid"},
  };
  for (const Case& c : cases) {
    Keystone::String id;
    std::string out = lend(c.form, &id);
    EXPECT_TRUE(popsUp(out, englishError("insertCheckout", c.key))) << c.key << out;
    EXPECT_EQ(str(id), c.form.contains("checkoutid") ? "12" : "1");
  }
  EXPECT_EQ(count("CHECKOUT"), "1");
}

TEST_F(Checkouts, OnlyTheOldestReservationMayBorrow) {
  std::string five = addMember();
  std::string nine = addMember();
  std::string book = sql.addBook();
  addReservation(five, book);
  addReservation(nine, book);
  std::string out = lend(loan(nine, book));
  EXPECT_TRUE(popsUp(out, englishError("insertCheckout", "err_reserved_by_another_member")));
  Keystone::String id;
  out = lend(loan(five, book), &id);
  EXPECT_TRUE(popsUp(out, english("msg_entry_added")));
  EXPECT_EQ(str(id), "1");
  // The borrower's reservation is used up; the other member keeps theirs.
  EXPECT_EQ(count("RESERVATION", "memberid = " + five), "0");
  EXPECT_EQ(count("RESERVATION", "memberid = " + nine), "1");
}

TEST_F(Checkouts, MovingALoanToAnotherBookRunsTheAvailabilityChecksAgain) {
  std::string member = addMember();
  std::string other = addMember();
  std::string book = sql.addBook();
  std::string outBook = sql.addBook();
  std::string reservedBook = sql.addBook();
  std::string freeBook = sql.addBook();
  std::string loanId = addCheckout(member, book);
  addCheckout(other, outBook);
  addReservation(other, reservedBook);
  Query move = loan(member, outBook);
  move["checkoutid"] = loanId.c_str();
  std::string out = captureStdout([&] { db.updateCheckout(move); });
  EXPECT_TRUE(popsUp(out, englishError("updateCheckout", "err_checkout_invalid_checkout_exists")));
  move["bookid"] = reservedBook.c_str();
  out = captureStdout([&] { db.updateCheckout(move); });
  EXPECT_TRUE(popsUp(out, englishError("updateCheckout", "err_reserved_by_another_member")));
  move["bookid"] = freeBook.c_str();
  out = captureStdout([&] { db.updateCheckout(move); });
  EXPECT_TRUE(popsUp(out, english("msg_entry_updated")));
  EXPECT_EQ(sql.scalar("SELECT bookid FROM CHECKOUT WHERE id = " + loanId), freeBook);
}

TEST_F(Checkouts, HandingALoanToAnotherMemberKeepsTheReservationQueue) {
  std::string borrower = addMember();
  std::string first = addMember();
  std::string second = addMember();
  std::string book = sql.addBook();
  std::string loanId = addCheckout(borrower, book);
  addReservation(first, book);
  addReservation(second, book);
  Query change = loan(second, book);
  change["checkoutid"] = loanId.c_str();
  std::string out = captureStdout([&] { db.updateCheckout(change); });
  EXPECT_TRUE(popsUp(out, englishError("updateCheckout", "err_reserved_by_another_member"))) << out;
  EXPECT_EQ(sql.scalar("SELECT memberid FROM CHECKOUT WHERE id = " + loanId), borrower);
  // The first reserver may take the loan over, and that uses up their reservation.
  change["memberid"] = first.c_str();
  out = captureStdout([&] { db.updateCheckout(change); });
  EXPECT_TRUE(popsUp(out, english("msg_entry_updated"))) << out;
  EXPECT_EQ(sql.scalar("SELECT memberid FROM CHECKOUT WHERE id = " + loanId), first);
  EXPECT_EQ(count("RESERVATION", "bookid = " + book), "1");
  EXPECT_EQ(count("RESERVATION", "memberid = " + second), "1");
}

TEST_F(Checkouts, EditingAReturnedLoanLeavesTheReservationsAlone) {
  std::string earlier = addMember();
  std::string holder = addMember();
  std::string book = sql.addBook();
  std::string returned = addCheckout(earlier, book, false);
  addCheckout(holder, book);  // someone else has the book now
  addReservation(earlier, book);
  Query change = loan(earlier, book, 3);
  change["checkoutid"] = returned.c_str();
  std::string out = captureStdout([&] { db.updateCheckout(change); });
  EXPECT_TRUE(popsUp(out, english("msg_entry_updated"))) << out;
  EXPECT_EQ(sql.scalar("SELECT returnDate FROM CHECKOUT WHERE id = " + returned), dateFromToday(3));
  EXPECT_EQ(count("RESERVATION", "memberid = " + earlier), "1");
  EXPECT_EQ(count("CHECKOUT", "id = " + returned + " AND inDate = 0"), "0");  // still returned
  // Its borrower can be corrected too, although another member is first in the queue: only an
  // open loan is a lending.
  change["memberid"] = holder.c_str();
  out = captureStdout([&] { db.updateCheckout(change); });
  EXPECT_TRUE(popsUp(out, english("msg_entry_updated"))) << out;
  EXPECT_EQ(sql.scalar("SELECT memberid FROM CHECKOUT WHERE id = " + returned), holder);
  EXPECT_EQ(count("RESERVATION", "memberid = " + earlier), "1");
}

TEST_F(Checkouts, ChangingOnlyTheDueDateSkipsTheAvailabilityChecks) {
  std::string member = addMember();
  std::string other = addMember();
  std::string book = sql.addBook();
  std::string loanId = addCheckout(member, book);
  addReservation(other, book);  // would refuse a new loan of this book to member
  Query change = loan(member, book, 30);
  change["checkoutid"] = loanId.c_str();
  std::string out = captureStdout([&] { db.updateCheckout(change); });
  EXPECT_TRUE(popsUp(out, english("msg_entry_updated"))) << out;
  EXPECT_EQ(sql.scalar("SELECT returnDate FROM CHECKOUT WHERE id = " + loanId), dateFromToday(30));
  change["returnDate"] = dateFromToday(-1).c_str();
  out = captureStdout([&] { db.updateCheckout(change); });
  EXPECT_TRUE(popsUp(out, englishError("updateCheckout", "err_return_date_invalid")));
}

TEST_F(Checkouts, ReturningListsEveryReserverAndASecondReturnDoesNothing) {
  std::string borrower = addMember();
  std::string three = addMember();
  std::string eight = addMember();
  std::string book = sql.addBook();
  std::string loanId = addCheckout(borrower, book);
  addReservation(three, book);
  addReservation(eight, book);
  std::string out = captureStdout([&] { db.returnCheckout(query({{"checkoutid", loanId}})); });
  EXPECT_NE(out.find("returnCheckout: The following members have previously reserved this book, "
                     "and can be notified of the check-in:<br>\nMember ID: " +
                     three + ", " + eight + "</td>"),
            std::string::npos)
      << out;
  EXPECT_TRUE(popsUp(out, english("msg_book_returned")));
  EXPECT_EQ(openLoans(book), "0");
  EXPECT_EQ(count("RESERVATION"), "2");  // reservations are kept
  out = captureStdout([&] { db.returnCheckout(query({{"checkoutid", loanId}})); });
  EXPECT_EQ(out, "");
  out = captureStdout([&] { db.deleteCheckout(query({{"checkoutid", loanId}})); });
  EXPECT_EQ(out, "");  // a returned loan cannot be deleted
  EXPECT_EQ(count("CHECKOUT"), "1");
}

TEST_F(Checkouts, DeletingAnOpenLoanNamesTheReservers) {
  std::string borrower = addMember();
  std::string reserver = addMember();
  std::string book = sql.addBook();
  std::string plain = sql.addBook();
  std::string loanId = addCheckout(borrower, book);
  std::string plainLoan = addCheckout(borrower, plain);
  addReservation(reserver, book);
  std::string out = captureStdout([&] { db.deleteCheckout(query({{"checkoutid", loanId}})); });
  EXPECT_NE(out.find("deleteCheckout: The following members have previously reserved this book, "
                     "and can be notified of the checkout deletion:<br>\nMember ID: " +
                     reserver + "</td>"),
            std::string::npos)
      << out;
  EXPECT_TRUE(popsUp(out, english("msg_entry_deleted")));
  out = captureStdout([&] { db.deleteCheckout(query({{"checkoutid", plainLoan}})); });
  EXPECT_EQ(out.find("Member ID"), std::string::npos);  // no reservers, no notice
  EXPECT_EQ(count("CHECKOUT"), "0");
  EXPECT_THROW(db.returnCheckout(query({{"id", "1"}})), Keystone::Exception);
}

}  // namespace
