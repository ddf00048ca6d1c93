// AmbryDB's book and member maintenance: required values, Dewey codes, expiry dates, balances,
// delete refusals, and rejected change statements reported as failures.
#include "tests/ambry/db/DbTestSupport.h"

namespace {

Query bookForm() {
  return query({{"author", "Orwell"},
                {"title", "Animal Farm"},
                {"isbn", "0-14"},
                {"dewey", "823"},
                {"price", "12.50"},
                {"_condition", "7"}});
}

Query memberForm(int expiresInDays, const std::string& balance = "0") {
  return query({{"memberid", "0"},
                {"password", "pw"},
                {"surname", "Botha"},
                {"firstName", "Anna"},
                {"address", "Main Road"},
                {"contactNo", "021"},
                {"accountExpiryDate", dateFromToday(expiresInDays)},
                {"accountBalance", balance}});
}

class Books : public DbTest {};

TEST_F(Books, InsertAddsTheBookAndReturnsItsId) {
  sql.addBook();
  Keystone::String id;
  std::string out = captureStdout([&] { id = db.insertBook(bookForm()); });
  EXPECT_EQ(str(id), "2");
  EXPECT_EQ(str(db.getLastQuery()),
            "INSERT INTO BOOK (author, title, isbn, dewey, price, _condition, addDate) VALUES "
            "('Orwell', 'Animal Farm', '0-14', 823, 12.50, 7, NOW())");
  EXPECT_TRUE(popsUp(out, english("msg_entry_added"))) << out;
  EXPECT_EQ(count("BOOK", "id = 2 AND title = 'Animal Farm' AND price = 12.5"), "1");
}

TEST_F(Books, EveryRequiredValueIsTestedInOrder) {
  for (const char* key : {"author", "title", "isbn", "dewey", "price", "_condition"}) {
    Query form = bookForm();
    form[key] = "";
    form["dewey"] = key == std::string("dewey") ? "" : "5000";  // a later bad Dewey is not reached
    std::string out = captureStdout([&] { EXPECT_EQ(str(db.insertBook(form)), "1"); });
    EXPECT_TRUE(popsUp(out, englishError("insertBook", "err_info_not_supplied"))) << key << out;
  }
  Query shown = bookForm();
  shown["price"] = "";
  shown["bookid"] = "17";
  captureStdout([&] { EXPECT_EQ(str(db.insertBook(shown)), "17"); });
  // A field not sent at all (a list with nothing chosen) is not supplied either.
  for (const char* key : {"isbn", "_condition"}) {
    Query absent;
    const Query full = bookForm();
    for (int i = 0; i < full.size(); ++i)
      if (full.keyAt(i) != key) absent[full.keyAt(i)] = full.valueAt(i);
    std::string out = captureStdout([&] { EXPECT_EQ(str(db.insertBook(absent)), "1"); });
    EXPECT_EQ(TestSupport::popups(out),
              std::vector<std::string>{englishError("insertBook", "err_info_not_supplied")})
        << key;
    EXPECT_FALSE(db.lastChangeStood());
  }
  EXPECT_EQ(count("BOOK"), "0");
}

TEST_F(Books, DeweyCodeMustExist) {
  Query form = bookForm();
  form["dewey"] = "1000";
  std::string out = captureStdout([&] { db.insertBook(form); });
  EXPECT_TRUE(popsUp(out, englishError("insertBook", "err_dewey_invalid")));
  form["dewey"] = "0";  // code 000 is a valid code
  out = captureStdout([&] { db.insertBook(form); });
  EXPECT_TRUE(popsUp(out, english("msg_entry_added")));
  EXPECT_EQ(count("BOOK"), "1");
}

TEST_F(Books, UpdateKeepsTheAddDate) {
  std::string book = sql.addBook();
  Query form = bookForm();
  form["bookid"] = book.c_str();
  std::string out = captureStdout([&] { db.updateBook(form); });
  EXPECT_TRUE(popsUp(out, english("msg_entry_updated")));
  EXPECT_EQ(sql.scalar("SELECT CONCAT(title, '|', addDate) FROM BOOK WHERE id = " + book),
            "Animal Farm|2001-02-03 04:05:06");
  form["dewey"] = "";
  out = captureStdout([&] { db.updateBook(form); });
  EXPECT_TRUE(popsUp(out, englishError("updateBook", "err_info_not_supplied")));
}

TEST_F(Books, DeleteRefusedWhileAnyLoanOrReservationNamesTheBook) {
  std::string member = addMember();
  std::string lent = sql.addBook();
  std::string reserved = sql.addBook();
  std::string free = sql.addBook();
  addCheckout(member, lent, false);  // returned long ago, still blocks
  addReservation(member, reserved);
  std::string out = captureStdout([&] { db.deleteBook(query({{"bookid", lent}})); });
  EXPECT_TRUE(popsUp(out, englishError("deleteBook", "err_book_in_checkout_table")));
  out = captureStdout([&] { db.deleteBook(query({{"bookid", reserved}})); });
  EXPECT_TRUE(popsUp(out, englishError("deleteBook", "err_book_reservation_exists")));
  out = captureStdout([&] { db.deleteBook(query({{"bookid", free}})); });
  EXPECT_TRUE(popsUp(out, english("msg_entry_deleted")));
  EXPECT_EQ(count("BOOK"), "2");
}

TEST_F(Books, RejectedChangeIsAFailureNotASuccess) {
  Query form = bookForm();
  form["price"] = "abc";
  form["bookid"] = "4";
  Keystone::String id;
  std::string out = captureStdout([&] { id = db.insertBook(form); });
  EXPECT_EQ(str(id), "4");
  EXPECT_TRUE(popsUp(out, englishError("insertBook", "err_query_unsuccessful"))) << out;
  EXPECT_FALSE(popsUp(out, english("msg_entry_added")));
  EXPECT_NE(str(db.getError()), "");  // the server's reason stays readable
  form = bookForm();
  form["title"] = std::string(300, 't').c_str();
  out = captureStdout([&] { db.insertBook(form); });
  EXPECT_TRUE(popsUp(out, englishError("insertBook", "err_query_unsuccessful")));
  EXPECT_EQ(count("BOOK"), "0");
}

class Members : public DbTest {};

TEST_F(Members, ExpiryTodayIsAcceptedYesterdayRefused) {
  Keystone::String id;
  std::string out = captureStdout([&] { id = db.insertMember(memberForm(0)); });
  EXPECT_TRUE(popsUp(out, english("msg_entry_added"))) << out;
  EXPECT_EQ(str(id), "1");
  EXPECT_EQ(str(db.getLastQuery()),
            "INSERT INTO MEMBER (password, surname, firstName, address, contactNo, addDate, "
            "accountExpiryDate, accountBalance) VALUES ('pw', 'Botha', 'Anna', 'Main Road', "
            "'021', NOW(), '" +
                dateFromToday(0) + "', 0)");
  Query form = memberForm(-1);
  form["memberid"] = "9";
  out = captureStdout([&] { id = db.insertMember(form); });
  EXPECT_TRUE(popsUp(out, englishError("insertMember", "err_account_expiry_date_invalid")));
  EXPECT_EQ(str(id), "9");
  EXPECT_EQ(count("MEMBER"), "1");
}

TEST_F(Members, BalanceMustBeAWholeNonNegativeNumber) {
  for (const char* good : {"0", "250"}) {
    std::string out = captureStdout([&] { db.insertMember(memberForm(30, good)); });
    EXPECT_TRUE(popsUp(out, english("msg_entry_added"))) << good;
  }
  for (const char* bad : {"-5", "12.50", "1 000", "+3"}) {
    std::string out = captureStdout([&] { db.insertMember(memberForm(30, bad)); });
    EXPECT_TRUE(popsUp(out, englishError("insertMember", "err_account_balance_invalid"))) << bad;
  }
  EXPECT_EQ(count("MEMBER"), "2");
}

TEST_F(Members, RequiredValuesIncludeTheUnusedMemberId) {
  Query form = memberForm(30);
  form["memberid"] = "";
  std::string out = captureStdout([&] { EXPECT_EQ(str(db.insertMember(form)), ""); });
  EXPECT_TRUE(popsUp(out, englishError("insertMember", "err_info_not_supplied")));
  form = memberForm(-5, "-1");
  form["contactNo"] = "";  // the first failing rule is reported, in the stated order
  out = captureStdout([&] { db.updateMember(form); });
  EXPECT_TRUE(popsUp(out, englishError("updateMember", "err_info_not_supplied")));
  EXPECT_EQ(count("MEMBER"), "0");
}

TEST_F(Members, UpdateChangesEverythingButTheJoiningDate) {
  std::string member = addMember();
  Query form = memberForm(10, "75");
  form["memberid"] = member.c_str();
  std::string out = captureStdout([&] { db.updateMember(form); });
  EXPECT_TRUE(popsUp(out, english("msg_entry_updated")));
  EXPECT_EQ(sql.scalar("SELECT CONCAT_WS('|', password, surname, accountExpiryDate, "
                       "accountBalance, addDate) FROM MEMBER WHERE id = " +
                       member),
            "pw|Botha|" + dateFromToday(10) + "|75|2001-02-03 04:05:06");
}

TEST_F(Members, DeleteRefusedForBlacklistLoansAndReservations) {
  std::string blacklisted = addMember();
  std::string borrower = addMember();
  std::string reserver = addMember();
  std::string free = addMember();
  std::string book = sql.addBook();
  addBlacklisting(blacklisted);
  addCheckout(borrower, book, false);
  addReservation(reserver, book);
  std::string out = captureStdout([&] { db.deleteMember(query({{"memberid", blacklisted}})); });
  EXPECT_TRUE(popsUp(out, englishError("deleteMember", "err_member_blacklisted")));
  out = captureStdout([&] { db.deleteMember(query({{"memberid", borrower}})); });
  EXPECT_TRUE(popsUp(out, englishError("deleteMember", "err_member_has_checkout")));
  out = captureStdout([&] { db.deleteMember(query({{"memberid", reserver}})); });
  EXPECT_TRUE(popsUp(out, englishError("deleteMember", "err_member_has_reservation")));
  out = captureStdout([&] { db.deleteMember(query({{"memberid", free}})); });
  EXPECT_TRUE(popsUp(out, english("msg_entry_deleted")));
  EXPECT_EQ(count("MEMBER"), "3");
  EXPECT_THROW(db.deleteMember(query({{"id", free}})), Keystone::Exception);
}

}  // namespace
