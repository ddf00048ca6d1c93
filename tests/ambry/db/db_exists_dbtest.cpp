// AmbryDB's existence tests, and the member check with its exact password comparison.
#include "tests/ambry/db/DbTestSupport.h"

namespace {

class Exists : public DbTest {};

TEST_F(Exists, BookReservationAndBlacklistingAnswerForTheirOwnKeys) {
  std::string member = addMember();
  std::string other = addMember();
  std::string book = sql.addBook();
  std::string spare = sql.addBook();
  addReservation(member, book);
  addBlacklisting(member);
  EXPECT_TRUE(db.bookExists(query({{"bookid", book}})));
  EXPECT_FALSE(db.bookExists(query({{"bookid", "99"}})));
  EXPECT_FALSE(db.bookExists(query({{"memberid", book}})));  // missing key: false, no throw
  EXPECT_TRUE(db.reservationExists(query({{"memberid", member}, {"bookid", book}})));
  EXPECT_FALSE(db.reservationExists(query({{"memberid", other}, {"bookid", book}})));
  EXPECT_FALSE(db.reservationExists(query({{"memberid", member}, {"bookid", spare}})));
  EXPECT_TRUE(db.blacklistingExists(query({{"memberid", member}})));
  EXPECT_FALSE(db.blacklistingExists(query({{"memberid", other}})));
  EXPECT_FALSE(db.bookExists(query({{"bookid", ""}})));  // rejected statement: false
}

TEST_F(Exists, CheckoutExistsOnlyWhileALoanOfTheBookIsOpen) {
  std::string member = addMember();
  std::string book = sql.addBook();
  std::string loan = addCheckout(member, book, true);
  addCheckout(member, book, false);
  EXPECT_TRUE(db.checkoutExists(query({{"bookid", book}})));
  sql.exec("UPDATE CHECKOUT SET inDate = NOW() WHERE id = " + loan);
  EXPECT_FALSE(db.checkoutExists(query({{"bookid", book}})));
}

TEST_F(Exists, ExistenceTestsDoNotMoveTheCurrentRow) {
  std::string book = sql.addBook();
  db.execute("SELECT 'kept'");
  ASSERT_TRUE(db.getNextRow());
  EXPECT_TRUE(db.bookExists(query({{"bookid", book}})));
  EXPECT_EQ(db.getRow().size(), 0);  // the book's row was fetched directly, not made current
}

TEST_F(Exists, MemberNeedsTheExactPasswordWhenOneIsGiven) {
  addMember(365, "other");
  std::string member = addMember(365, "Secret");
  EXPECT_TRUE(db.memberExists(query({{"memberid", member}, {"password", "Secret"}})));
  EXPECT_EQ(str(db.getLastQuery()),
            "SELECT id, password FROM MEMBER WHERE id = " + member + " AND password = 'Secret'");
  EXPECT_FALSE(db.memberExists(query({{"memberid", member}, {"password", "secret"}})));
  EXPECT_FALSE(db.memberExists(query({{"memberid", member}, {"password", "SECRET"}})));
  EXPECT_FALSE(db.memberExists(query({{"memberid", member}, {"password", ""}})));
  EXPECT_FALSE(db.memberExists(query({{"memberid", member}, {"password", "other"}})));
  EXPECT_TRUE(db.memberExists(query({{"memberid", member}})));
  EXPECT_FALSE(db.memberExists(query({{"memberid", "99"}})));
  EXPECT_FALSE(db.memberExists(query({{"password", "Secret"}})));
}

TEST_F(Exists, MemberIsFalseWhenTheRowFoundCarriesAnotherId) {
  std::string member = addMember();
  sql.exec("UPDATE MEMBER SET id = 10 WHERE id = " + member);
  EXPECT_TRUE(db.memberExists(query({{"memberid", "10"}})));
  EXPECT_TRUE(db.memberExists(query({{"memberid", "010"}})));  // the same number
  // The server reads "1e1" as 10 and finds member 10; the number asked for is 1.
  EXPECT_FALSE(db.memberExists(query({{"memberid", "1e1"}})));
  EXPECT_FALSE(db.memberExists(query({{"memberid", "10.5"}})));
}

}  // namespace
