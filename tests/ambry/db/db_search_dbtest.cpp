// AmbryDB's searches: search by example for staff, member-facing searches, catalogue search.
#include "tests/ambry/db/DbTestSupport.h"

namespace {

class Search : public DbTest {
 protected:
  std::vector<std::string> firstColumn() {
    std::vector<std::string> values;
    while (db.getNextRow()) values.push_back(str(db.getField(0)));
    return values;
  }
};

TEST_F(Search, ByExampleWithoutValuesSelectsTheWholeTable) {
  sql.addBook();
  sql.addBook();
  db.searchBook(query({{"author", ""}, {"cmd", "3"}, {"lang", "eng"}}));
  EXPECT_EQ(str(db.getLastQuery()), "SELECT * FROM book");
  EXPECT_EQ(firstColumn(), (std::vector<std::string>{"1", "2"}));
}

TEST_F(Search, ByExampleJoinsConditionsInTableOrderNotRequestOrder) {
  sql.addBook();
  sql.exec(
      "INSERT INTO BOOK (author, title, isbn, dewey, price, _condition) VALUES "
      "('Smith', 'X', '1', 500, 1, 1), ('Smith', 'Y', '2', 600, 1, 1)");
  db.searchBook(query({{"dewey", "500"}, {"isbn", ""}, {"author", "Smith"}}));
  EXPECT_EQ(str(db.getLastQuery()), "SELECT * FROM book WHERE author = 'Smith' AND dewey = '500'");
  EXPECT_EQ(firstColumn(), (std::vector<std::string>{"2"}));
  // The request's keys are sorted (dewey before isbn); the table has isbn before dewey.
  db.searchBook(query({{"dewey", "600"}, {"isbn", "2"}}));
  EXPECT_EQ(str(db.getLastQuery()), "SELECT * FROM book WHERE isbn = '2' AND dewey = '600'");
  EXPECT_EQ(firstColumn(), (std::vector<std::string>{"3"}));
}

TEST_F(Search, ByExampleTakesIdAndEveryOtherTableInLowerCase) {
  for (int i = 0; i < 6; ++i) sql.addBook();
  db.searchBook(query({{"id", "5"}}));
  EXPECT_EQ(firstColumn(), (std::vector<std::string>{"5"}));

  std::string member = addMember();
  std::string book = sql.addBook();
  addCheckout(member, book);
  addReservation(member, book);
  addBlacklisting(member, "lost books");
  db.searchMember(query({{"password", "secret"}}));
  EXPECT_EQ(str(db.getLastQuery()), "SELECT * FROM member WHERE password = 'secret'");
  EXPECT_EQ(firstColumn(), (std::vector<std::string>{member}));
  db.searchCheckout(query({{"bookid", book}}));
  EXPECT_EQ(firstColumn(), (std::vector<std::string>{"1"}));
  db.searchReservation(query({{"memberid", member}, {"bookid", book}}));
  EXPECT_EQ(str(db.getLastQuery()),
            "SELECT * FROM reservation WHERE memberid = '" + member + "' AND bookid = '" + book + "'");
  EXPECT_EQ(firstColumn(), (std::vector<std::string>{"1"}));
  db.searchBlacklisting(query({{"reason", "lost books"}}));
  EXPECT_EQ(firstColumn(), (std::vector<std::string>{"1"}));
  db.searchBlacklisting(query({{"reason", "lost"}}));  // exact comparison, not a substring
  EXPECT_TRUE(firstColumn().empty());
}

TEST_F(Search, MemberFacingSearchesShowOnlyTheMembersOwnRows) {
  std::string member = addMember();
  std::string other = addMember();
  std::string book = sql.addBook();
  addCheckout(member, book, false);
  addCheckout(other, book, true);
  addReservation(other, book);
  addReservation(member, book);

  db.searchMember_Member(query({{"memberid", member}}));
  EXPECT_EQ(str(db.getLastQuery()),
            "SELECT id, surname, firstName, address, contactNo, addDate, accountExpiryDate, "
            "accountBalance FROM MEMBER WHERE id = " +
                member);
  ASSERT_TRUE(db.getNextRow());
  EXPECT_EQ(db.getNumFields(), 8u);  // never the password
  EXPECT_EQ(str(db.getField(0)), member);

  db.searchCheckout_Member(query({{"memberid", member}}));
  EXPECT_EQ(str(db.getLastQuery()),
            "SELECT id, bookid, checkoutDate, returnDate, inDate FROM CHECKOUT WHERE memberid = " + member);
  EXPECT_EQ(firstColumn(), (std::vector<std::string>{"1"}));  // returned loans included

  db.searchReservation_Member(query({{"memberid", member}}));
  EXPECT_EQ(str(db.getLastQuery()), "SELECT id, bookid, addDate FROM RESERVATION WHERE memberid = " + member);
  EXPECT_EQ(firstColumn(), (std::vector<std::string>{"2"}));

  EXPECT_THROW(db.searchMember_Member(query({{"id", member}})), Keystone::Exception);
}

TEST_F(Search, CatalogueSearchMatchesSubstringsOfTheFilledFieldsOnly) {
  sql.exec(
      "INSERT INTO BOOK (author, title, isbn) VALUES ('Adam Smith', 'Wealth', '0-14-1'), "
      "('Smith', 'Theory', '0-19-2'), ('Hume', 'Wealth of Treatise', '0-14-3')");
  db.searchBook_Member(query({{"author", "Smith"}, {"title", ""}, {"isbn", "0-14"}}));
  EXPECT_EQ(str(db.getLastQuery()),
            "SELECT id, author, title, isbn FROM BOOK WHERE author LIKE '%%Smith%%' AND isbn "
            "LIKE '%%0-14%%'");
  EXPECT_EQ(firstColumn(), (std::vector<std::string>{"1"}));

  db.searchBook_Member(query({{"author", ""}, {"title", "Wealth"}, {"isbn", ""}}));
  EXPECT_EQ(str(db.getLastQuery()), "SELECT id, author, title, isbn FROM BOOK WHERE title LIKE '%%Wealth%%'");
  EXPECT_EQ(firstColumn(), (std::vector<std::string>{"1", "3"}));

  db.searchBook_Member(query({{"author", ""}, {"title", ""}, {"isbn", ""}}));
  EXPECT_EQ(str(db.getLastQuery()), "SELECT id, author, title, isbn FROM BOOK");
  EXPECT_EQ(db.getNumRows(), 3u);

  EXPECT_THROW(db.searchBook_Member(query({{"author", ""}, {"title", ""}})), Keystone::Exception);
}

TEST_F(Search, CatalogueSearchTakesWildcardsLiterally) {
  sql.exec(
      "INSERT INTO BOOK (author, title, isbn) VALUES ('A', '100% Cotton', '1'), "
      "('B', 'Plain', '2'), ('C', 'snake_case', '3'), ('D', 'snakeXcase', '4')");
  db.searchBook_Member(query({{"author", ""}, {"title", "%"}, {"isbn", ""}}));
  EXPECT_EQ(firstColumn(), (std::vector<std::string>{"1"}));
  db.searchBook_Member(query({{"author", ""}, {"title", "e_c"}, {"isbn", ""}}));
  EXPECT_EQ(firstColumn(), (std::vector<std::string>{"3"}));
}

}  // namespace
