// AmbryDB's single-entry selects and navigation to the previous and next entries.
#include "tests/ambry/db/DbTestSupport.h"

namespace {

class Select : public DbTest {
 protected:
  // The id of the entry selected, or "none".
  std::string selected() { return db.getNextRow() ? str(db.getField(0)) : "none"; }
};

TEST_F(Select, NavigationStepsToNeighboursAndStopsAtBothEnds) {
  for (int i = 0; i < 3; ++i) sql.addBook();
  sql.exec("DELETE FROM BOOK WHERE id = 2");
  db.selectBook(query({{"bookid", "1"}, {"direction", "1"}}));
  EXPECT_EQ(str(db.getLastQuery()), "SELECT * FROM BOOK WHERE id > 1 ORDER BY id LIMIT 1");
  EXPECT_EQ(selected(), "3");  // the gap is stepped over
  db.selectBook(query({{"bookid", "3"}, {"direction", "-1"}}));
  EXPECT_EQ(str(db.getLastQuery()), "SELECT * FROM BOOK WHERE id < 3 ORDER BY id DESC LIMIT 1");
  EXPECT_EQ(selected(), "1");
  db.selectBook(query({{"bookid", "3"}, {"direction", "0"}}));
  EXPECT_EQ(str(db.getLastQuery()), "SELECT * FROM BOOK WHERE id = 3");
  EXPECT_EQ(selected(), "3");
  db.selectBook(query({{"bookid", "3"}, {"direction", "1"}}));
  EXPECT_EQ(selected(), "none");
  db.selectBook(query({{"bookid", "1"}, {"direction", "-1"}}));
  EXPECT_EQ(selected(), "none");
  // Any other direction selects the entry itself.
  db.selectBook(query({{"bookid", "3"}, {"direction", "7"}}));
  EXPECT_EQ(str(db.getLastQuery()), "SELECT * FROM BOOK WHERE id = 3 ORDER BY id LIMIT 1");
  EXPECT_EQ(selected(), "3");
}

TEST_F(Select, EveryTableNavigatesByItsOwnIdKey) {
  std::string member = addMember();
  addMember();
  std::string book = sql.addBook();
  addReservation(member, book);
  addReservation(member, book);
  addBlacklisting(member);
  addBlacklisting(member);
  db.selectMember(query({{"memberid", "1"}, {"direction", "1"}}));
  EXPECT_EQ(selected(), "2");
  db.selectReservation(query({{"reservationid", "2"}, {"direction", "-1"}}));
  EXPECT_EQ(str(db.getLastQuery()), "SELECT * FROM RESERVATION WHERE id < 2 ORDER BY id DESC LIMIT 1");
  EXPECT_EQ(selected(), "1");
  db.selectBlacklisting(query({{"blacklistid", "2"}, {"direction", "0"}}));
  EXPECT_EQ(selected(), "2");
  EXPECT_THROW(db.selectMember(query({{"memberid", "1"}})), Keystone::Exception);
  EXPECT_THROW(db.selectBook(query({{"direction", "1"}})), Keystone::Exception);
}

TEST_F(Select, CheckoutsSkipReturnedLoansUnlessForced) {
  std::string member = addMember();
  std::string book = sql.addBook();
  addCheckout(member, book, true);
  addCheckout(member, book, false);
  addCheckout(member, book, true);
  db.selectCheckout(query({{"checkoutid", "1"}, {"direction", "1"}}));
  EXPECT_EQ(str(db.getLastQuery()), "SELECT * FROM CHECKOUT WHERE id > 1 AND inDate = 0 ORDER BY id LIMIT 1");
  EXPECT_EQ(selected(), "3");
  db.selectCheckout(query({{"checkoutid", "2"}, {"direction", "0"}}));
  EXPECT_EQ(selected(), "none");
  db.selectCheckout(query({{"checkoutid", "2"}, {"direction", "0"}, {"force", ""}}));
  EXPECT_EQ(str(db.getLastQuery()), "SELECT * FROM CHECKOUT WHERE id = 2");
  EXPECT_EQ(selected(), "2");
  db.selectCheckout(query({{"checkoutid", "1"}, {"direction", "1"}, {"force", "1"}}));
  EXPECT_EQ(selected(), "2");
}

TEST_F(Select, IsbnAndMemberSelectsGiveOneEntry) {
  sql.addBook("Author", "First", "0-14-1");
  sql.addBook("Author", "Second", "0-14-1");
  db.selectBook_ISBN(query({{"isbn", "0-14-1"}}));
  EXPECT_EQ(str(db.getLastQuery()), "SELECT * FROM BOOK WHERE isbn = '0-14-1' LIMIT 1");
  EXPECT_EQ(db.getNumRows(), 1u);
  db.selectBook_ISBN(query({{"isbn", "0-14"}}));
  EXPECT_EQ(selected(), "none");

  std::string member = addMember();
  addBlacklisting(member);
  db.selectBlacklisting_MemberID(query({{"memberid", member}}));
  EXPECT_EQ(str(db.getLastQuery()), "SELECT * FROM BLACKLIST WHERE memberid = " + member + " LIMIT 1");
  EXPECT_EQ(selected(), "1");
}

TEST_F(Select, EmptyIdIsRejectedWithoutAnException) {
  sql.addBook();
  EXPECT_NO_THROW(db.selectBook(query({{"bookid", ""}, {"direction", "0"}})));
  EXPECT_EQ(selected(), "none");
}

}  // namespace
