// Black-box tests of patron_card, the member's own record, loans, reservations and blacklisting.
#include <gtest/gtest.h>

#include "tests/support/PatronCgi.h"

namespace TestSupport {
namespace {

const std::string kHeading = "Membership information results:<br><br>\n";
const std::string kLoans = "Checkout details:<br><br>\n";
const std::string kReservations = "Reservation details:<br><br>\n";
const std::string kInvalid = "Please verify your information, and try again.";

class PatronCard : public ::testing::Test {
 protected:
  void SetUp() override { db.reset(); }
  std::string card(const std::string& body) {
    CgiResponse response = postPatronForm("patron_card", body);
    EXPECT_EQ(response.exitStatus, 0);
    EXPECT_NE(response.output.find(kPatronPageEnd), std::string::npos) << response.output;
    return textAfter(response.output, kHeading);
  }
  static std::string login(long long id, const std::string& password) {
    return "memberid=" + std::to_string(id) + "&password=" + password;
  }
  void lend(long long member, long long book, const std::string& inDate) {
    db.exec("INSERT INTO CHECKOUT (memberid, bookid, checkoutDate, returnDate, inDate) VALUES (" +
            std::to_string(member) + ", " + std::to_string(book) + ", NOW(), '" + dateFromToday(14) + "', " +
            inDate + ")");
  }
  TestDB db;
};

TEST_F(PatronCard, IncompleteRequestsGoBackToTheForm) {
  CgiResponse none = postPatronForm("patron_card", std::nullopt);
  std::string page = textAfter(none.output, kHeading);
  EXPECT_TRUE(popsUp(page, "Please use the user interface to retrieve your information.")) << none.output;
  EXPECT_NE(page.find(kPatronGoBack), std::string::npos);
  EXPECT_NE(page.find(kPatronPageEnd), std::string::npos);

  long long id = addPatronMember(db, "secret");
  for (std::string body : {"memberid=" + std::to_string(id), std::string("password=secret"),
                           "memberid=" + std::to_string(id) + "&password="}) {
    page = card(body);
    EXPECT_TRUE(popsUp(page, "Please supply criteria to the search engine.")) << body << "\n" << page;
    EXPECT_NE(page.find(kPatronGoBack), std::string::npos);
    EXPECT_EQ(page.find("no such key"), std::string::npos);
    EXPECT_EQ(page.find(kPatronTableStart), std::string::npos);
  }
}

TEST_F(PatronCard, PasswordGuessingIsHeldOffPerAddress) {
  long long id = addPatronMember(db, "Secret");
  auto attempt = [&](const std::string& password, const std::string& address) {
    CgiRequest request;
    request.program = "patron_card";
    request.query = "lang=eng";
    request.body = login(id, password);
    request.env = {{"REMOTE_ADDR", address}};
    return runCgi(request).output;
  };
  for (int i = 0; i < 9; ++i) ASSERT_TRUE(popsUp(attempt("guess", "198.51.100.7"), kInvalid));
  EXPECT_NE(attempt("Secret", "198.51.100.7").find(kPatronTableStart), std::string::npos) << "a right one is no failure";
  EXPECT_TRUE(popsUp(attempt("guess", "198.51.100.7"), kInvalid));
  // Ten failures within ten minutes: the 11th check is held off, a right password too.
  const std::string held = attempt("Secret", "198.51.100.7");
  EXPECT_TRUE(popsUp(held,
                     "Too many incorrect passwords have been entered from your computer. Please wait 10 "
                     "minutes and try again."))
      << held;
  EXPECT_EQ(held.find(kPatronTableStart), std::string::npos);
  EXPECT_NE(attempt("Secret", "198.51.100.8").find(kPatronTableStart), std::string::npos);
}

TEST_F(PatronCard, WrongNumberOrPasswordGetsOneAnswer) {
  long long id = addPatronMember(db, "Secret");
  std::string wrongPassword = card(login(id, "nonsense"));
  EXPECT_TRUE(popsUp(wrongPassword, kInvalid)) << wrongPassword;
  EXPECT_NE(wrongPassword.find(kPatronGoBack), std::string::npos);
  EXPECT_EQ(wrongPassword.find(kPatronTableStart), std::string::npos);
  EXPECT_EQ(wrongPassword.find("Smith"), std::string::npos);
  EXPECT_EQ(card(login(id, "secret")), wrongPassword);  // letter case counts
  EXPECT_EQ(card(login(id, "SECRET")), wrongPassword);
  EXPECT_EQ(card(login(id + 1, "Secret")), wrongPassword);
  EXPECT_EQ(card("memberid=0+OR+1=1&password=x'+OR+'1'='1"), wrongPassword);
}

TEST_F(PatronCard, MemberWithoutLoansStillSeesEmptyTables) {
  long long id = addPatronMember(db, "secret");
  std::string page = card(login(id, "secret"));
  std::string record = textBefore(textAfter(page, "Member details:<br><br>\n"), kLoans);
  ASSERT_EQ(resultRowAttributes(record).size(), 1u) << page;
  EXPECT_NE(record.find(resultCell(std::to_string(id))), std::string::npos);
  EXPECT_NE(record.find(resultCell("Smith")), std::string::npos);
  EXPECT_EQ(record.find("secret"), std::string::npos);  // the password is never shown

  std::string loans = textBefore(textAfter(page, kLoans), kReservations);
  EXPECT_NE(loans.find(kPatronTableStart), std::string::npos) << page;
  EXPECT_NE(loans.find(captionCell("Incoming Date")), std::string::npos);
  EXPECT_TRUE(resultRowAttributes(loans).empty());
  EXPECT_NE(loans.find("End of results."), std::string::npos);

  std::string reservations = textAfter(page, kReservations);
  EXPECT_NE(reservations.find(kPatronTableStart), std::string::npos);
  EXPECT_TRUE(resultRowAttributes(reservations).empty());
  EXPECT_NE(reservations.find("<br>Your Member ID does not appear on the blacklist."), std::string::npos)
      << page;
  EXPECT_EQ(page.find("pumpMsg"), std::string::npos);
}

TEST_F(PatronCard, LoansAndReservationsAreListedWithRowsTwoAndFourShaded) {
  long long id = addPatronMember(db, "secret");
  long long other = addPatronMember(db, "other");
  for (int i = 1; i <= 5; ++i) db.addBook("Author", "Title " + std::to_string(i), "1");
  lend(id, 1, "NOW()");  // returned loans are part of the member's history
  lend(id, 2, "'0000-00-00'");
  lend(other, 3, "'0000-00-00'");
  lend(id, 4, "'0000-00-00'");
  lend(id, 5, "'0000-00-00'");
  db.exec("INSERT INTO RESERVATION (memberid, bookid, addDate) VALUES (" + std::to_string(id) +
          ", 3, NOW()), (" + std::to_string(other) + ", 2, NOW())");
  std::string page = card(login(id, "secret"));

  std::vector<std::string> loans = resultRowAttributes(textBefore(textAfter(page, kLoans), kReservations));
  ASSERT_EQ(loans.size(), 4u) << page;
  EXPECT_EQ(loans, (std::vector<std::string>{"", kPatronShaded, "", kPatronShaded}));
  std::vector<std::string> reservations = resultRowAttributes(textAfter(page, kReservations));
  ASSERT_EQ(reservations.size(), 1u) << page;
  EXPECT_EQ(reservations[0], "");
  EXPECT_NE(textAfter(page, kReservations).find(resultCell("3")), std::string::npos);
}

TEST_F(PatronCard, BlacklistedMemberIsTold) {
  long long id = addPatronMember(db, "secret");
  db.exec("INSERT INTO BLACKLIST (memberid, addDate, reason) VALUES (" + std::to_string(id) +
          ", NOW(), 'Lost books')");
  std::string page = card(login(id, "secret"));
  EXPECT_NE(page.find("<br>Your Member ID appears on the blacklist. Contact the library to take "
                      "corrective steps."),
            std::string::npos)
      << page;
  EXPECT_EQ(page.find("does not appear"), std::string::npos);
}

TEST_F(PatronCard, StoredValuesAreEscaped) {
  long long id = addPatronMember(db, "secret", "<img src=x onerror=alert(1)> & Co");
  std::string page = card(login(id, "secret"));
  EXPECT_NE(page.find(resultCell("&lt;img src=x onerror=alert(1)&gt; &amp; Co")), std::string::npos) << page;
  EXPECT_EQ(page.find("<img"), std::string::npos);
}

TEST_F(PatronCard, UnreachableDatabaseIsReportedOnTheFinishedPage) {
  std::string page = unreachableDatabasePage("patron_card", "memberid=1&password=x", kHeading);
  EXPECT_EQ(page.find(kPatronTableStart), std::string::npos);
}

}  // namespace
}  // namespace TestSupport
