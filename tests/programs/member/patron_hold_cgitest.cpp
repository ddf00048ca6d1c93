// Black-box tests of patron_hold, the member's reservation of a book.
#include <gtest/gtest.h>

#include "tests/support/PatronCgi.h"

namespace TestSupport {
namespace {

const std::string kHeading = "Reservation results:<br><br>\n";
const std::string kSuccess = "Your query was successfully processed.";

class PatronHold : public ::testing::Test {
 protected:
  void SetUp() override {
    db.reset();
    member = addPatronMember(db, "secret");
    book = std::stoll(db.addBook("Austen", "Emma", "0-14"));
  }
  std::string hold(const std::string& body) {
    CgiResponse response = postPatronForm("patron_hold", body);
    EXPECT_EQ(response.exitStatus, 0);
    EXPECT_NE(response.output.find(kPatronPageEnd), std::string::npos) << response.output;
    return textAfter(response.output, kHeading);
  }
  std::string request(long long who, long long what, const std::string& password = "secret") {
    return "memberid=" + std::to_string(who) + "&password=" + password + "&bookid=" + std::to_string(what);
  }
  int reservations() { return std::stoi(db.scalar("SELECT COUNT(*) FROM RESERVATION")); }
  // Expects the page to refuse with message, go back and leave the reservations as they were.
  void expectRefused(const std::string& page, const std::string& message, int before) {
    EXPECT_TRUE(popsUp(page, message)) << page;
    EXPECT_NE(page.find(kPatronGoBack), std::string::npos) << page;
    EXPECT_EQ(page.find(kSuccess), std::string::npos) << page;
    EXPECT_EQ(reservations(), before);
  }
  TestDB db;
  long long member = 0, book = 0;
};

TEST_F(PatronHold, IncompleteRequestsGoBackToTheForm) {
  CgiResponse none = postPatronForm("patron_hold", std::nullopt);
  expectRefused(textAfter(none.output, kHeading),
                "Please use the reservation user interface to make reservations.", 0);
  for (std::string body : {"memberid=" + std::to_string(member) + "&password=secret",
                           "memberid=" + std::to_string(member) + "&password=secret&bookid=",
                           "password=secret&bookid=" + std::to_string(book)}) {
    std::string page = hold(body);
    expectRefused(page, "Please supply criteria to the search engine.", 0);
    EXPECT_EQ(page.find("no such key"), std::string::npos) << page;
  }
}

TEST_F(PatronHold, UnknownMemberOrBookIsRefused) {
  const std::string invalid = "Please verify your information, and try again.";
  expectRefused(hold(request(member + 1, book)), invalid, 0);
  expectRefused(hold(request(member, book, "SECRET")), invalid, 0);
  expectRefused(hold(request(member, book + 1)),
                "The book you are reserving does not exist; please try again.", 0);
}

TEST_F(PatronHold, GoodReservationIsPlacedOnce) {
  std::string page = hold(request(member, book));
  EXPECT_NE(page.find("<table border=\"1\" width=\"100%\"><tr><td>" + kSuccess), std::string::npos) << page;
  EXPECT_EQ(page.find(kPatronGoBack), std::string::npos);
  EXPECT_EQ(db.scalar("SELECT CONCAT(memberid, '/', bookid) FROM RESERVATION"),
            std::to_string(member) + "/" + std::to_string(book));

  expectRefused(hold(request(member, book)), "You have already reserved this book.", 1);
}

TEST_F(PatronHold, ReservationRefusedByTheLendingRulesIsNoSuccess) {
  db.exec("INSERT INTO BLACKLIST (memberid, addDate, reason) VALUES (" + std::to_string(member) +
          ", NOW(), 'Lost books')");
  expectRefused(hold(request(member, book)),
                "Error in insertReservation: The specified member "
                "has been prohibited from reserving books.",
                0);

  long long expired = addPatronMember(db, "old");
  db.exec("UPDATE MEMBER SET accountExpiryDate = '" + dateFromToday(0) +
          "' WHERE id = " + std::to_string(expired));
  expectRefused(hold(request(expired, book, "old")),
                "Error in insertReservation: The account of "
                "the specified member has expired.",
                0);

  long long borrower = addPatronMember(db, "reader");
  db.exec("INSERT INTO CHECKOUT (memberid, bookid, checkoutDate, returnDate, inDate) VALUES (" +
          std::to_string(borrower) + ", " + std::to_string(book) + ", NOW(), '" + dateFromToday(14) +
          "', '0000-00-00')");
  expectRefused(hold(request(borrower, book, "reader")),
                "Error in insertReservation: The "
                "specified member has already checked out the specified book.",
                0);
}

TEST_F(PatronHold, FailedInsertionNamesTheServerError) {
  // A book number with trailing letters passes the existence test but the server rejects it.
  std::string page =
      hold("memberid=" + std::to_string(member) + "&password=secret&bookid=" + std::to_string(book) + "x");
  // The insertion's own pop-up, then the page's; the server's text stays off the public page.
  EXPECT_EQ(popups(page), (std::vector<std::string>{"Error in insertReservation: The query was unsuccessful.",
                                                    "Please verify your information, and try again."}))
      << page;
  EXPECT_NE(page.find(kPatronGoBack), std::string::npos);
  EXPECT_EQ(page.find(kSuccess), std::string::npos);
  EXPECT_EQ(reservations(), 0);
}

TEST_F(PatronHold, UnreachableDatabaseIsReportedOnTheFinishedPage) {
  std::string page = unreachableDatabasePage("patron_hold", request(member, book), kHeading);
  EXPECT_EQ(page.find(kSuccess), std::string::npos);
  EXPECT_EQ(reservations(), 0);
}

}  // namespace
}  // namespace TestSupport
