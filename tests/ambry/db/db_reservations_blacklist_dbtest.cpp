// AmbryDB's reservations and blacklistings: the rules for placing and moving them, deletes.
#include "tests/ambry/db/DbTestSupport.h"

namespace {

class Reservations : public DbTest {
 protected:
  std::string reserve(const std::string& member, const std::string& book, Keystone::String* id = nullptr) {
    return captureStdout([&] {
      Keystone::String got = db.insertReservation(query({{"memberid", member}, {"bookid", book}}));
      if (id) *id = got;
    });
  }
};

TEST_F(Reservations, ABookOnTheShelfCanBeReservedOnce) {
  std::string member = addMember();
  std::string book = sql.addBook();
  Keystone::String id;
  std::string out = reserve(member, book, &id);
  EXPECT_TRUE(popsUp(out, english("msg_entry_added"))) << out;
  EXPECT_EQ(str(id), "1");
  EXPECT_EQ(str(db.getError()), "");
  out = reserve(member, book, &id);
  EXPECT_TRUE(popsUp(out, englishError("insertReservation", "err_reservation_exists")));
  EXPECT_EQ(str(id), "1");
  EXPECT_EQ(count("RESERVATION"), "1");
}

TEST_F(Reservations, TheHolderOfALoanMayNotReserveItButAnotherMemberMay) {
  std::string holder = addMember();
  std::string other = addMember();
  std::string book = sql.addBook();
  addCheckout(holder, book);
  std::string out = reserve(holder, book);
  EXPECT_TRUE(popsUp(out, englishError("insertReservation", "err_checkout_exists")));
  out = reserve(other, book);
  EXPECT_TRUE(popsUp(out, english("msg_entry_added")));
  EXPECT_EQ(count("RESERVATION", "memberid = " + other), "1");
}

TEST_F(Reservations, RefusalsForMemberAccountAndBook) {
  std::string expired = addMember(0);
  std::string blacklisted = addMember();
  addBlacklisting(blacklisted);
  std::string member = addMember();
  std::string book = sql.addBook();
  EXPECT_TRUE(popsUp(reserve("", book), englishError("insertReservation", "err_info_not_supplied")));
  EXPECT_TRUE(popsUp(reserve("99", book), englishError("insertReservation", "err_member_not_exist")));
  EXPECT_TRUE(
      popsUp(reserve(blacklisted, "99"), englishError("insertReservation", "err_reservation_prohibited")));
  EXPECT_TRUE(popsUp(reserve(expired, book), englishError("insertReservation", "err_account_expired")));
  EXPECT_TRUE(popsUp(reserve(member, "99"), englishError("insertReservation", "err_book_not_exist")));
  Keystone::String id;
  captureStdout([&] {
    id = db.insertReservation(query({{"memberid", "99"}, {"bookid", book}, {"reservationid", "6"}}));
  });
  EXPECT_EQ(str(id), "6");
  EXPECT_EQ(count("RESERVATION"), "0");
}

TEST_F(Reservations, UpdateKeepingTheBookIsNotADuplicate) {
  std::string first = addMember();
  std::string second = addMember();
  std::string book = sql.addBook();
  std::string other = sql.addBook();
  std::string entry = addReservation(first, book);
  addReservation(second, other);
  sql.exec("UPDATE RESERVATION SET addDate = '2001-01-01 00:00:00' WHERE id = " + entry);
  Query change = query({{"reservationid", entry}, {"memberid", second}, {"bookid", book}});
  std::string out = captureStdout([&] { db.updateReservation(change); });
  EXPECT_TRUE(popsUp(out, english("msg_entry_updated"))) << out;
  EXPECT_EQ(sql.scalar("SELECT CONCAT_WS('|', memberid, bookid, addDate) FROM RESERVATION "
                       "WHERE id = " +
                       entry),
            second + "|" + book + "|2001-01-01 00:00:00");
  // Moving it to a book the member has reserved already is a duplicate.
  change["bookid"] = other.c_str();
  out = captureStdout([&] { db.updateReservation(change); });
  EXPECT_TRUE(popsUp(out, englishError("updateReservation", "err_reservation_exists")));
  // So is handing it to a member who has reserved the same book already.
  addReservation(first, book);
  change["bookid"] = book.c_str();
  change["memberid"] = first.c_str();
  out = captureStdout([&] { db.updateReservation(change); });
  EXPECT_TRUE(popsUp(out, englishError("updateReservation", "err_reservation_exists"))) << out;
  EXPECT_EQ(count("RESERVATION", "memberid = " + first + " AND bookid = " + book), "1");
}

TEST_F(Reservations, DeletingAMissingIdStillSaysDeleted) {
  std::string out = captureStdout([&] { db.deleteReservation(query({{"reservationid", "42"}})); });
  EXPECT_TRUE(popsUp(out, english("msg_entry_deleted")));
  out = captureStdout([&] { db.deleteBlacklisting(query({{"blacklistid", "42"}})); });
  EXPECT_TRUE(popsUp(out, english("msg_entry_deleted")));
}

class Blacklist : public DbTest {};

TEST_F(Blacklist, AMemberIsBlacklistedAtMostOnce) {
  std::string member = addMember();
  Keystone::String id;
  std::string out = captureStdout([&] {
    id = db.insertBlacklisting(query({{"memberid", member}, {"reason", "Lost 'three' books"}}));
  });
  EXPECT_TRUE(popsUp(out, english("msg_entry_added")));
  EXPECT_EQ(str(id), "1");
  EXPECT_EQ(sql.scalar("SELECT reason FROM BLACKLIST"), "Lost 'three' books");
  out = captureStdout([&] {
    id = db.insertBlacklisting(query({{"memberid", member}, {"reason", "again"}, {"blacklistid", "1"}}));
  });
  EXPECT_TRUE(popsUp(out, englishError("insertBlacklisting", "err_blacklisting_exists")));
  out = captureStdout([&] { db.insertBlacklisting(query({{"memberid", "99"}, {"reason", "x"}})); });
  EXPECT_TRUE(popsUp(out, englishError("insertBlacklisting", "err_member_not_exist")));
  out = captureStdout([&] { db.insertBlacklisting(query({{"memberid", member}, {"reason", ""}})); });
  EXPECT_TRUE(popsUp(out, englishError("insertBlacklisting", "err_info_not_supplied")));
  EXPECT_EQ(count("BLACKLIST"), "1");
}

TEST_F(Blacklist, UpdateMayChangeTheReasonButNotGiveAMemberTwo) {
  std::string first = addMember();
  std::string second = addMember();
  std::string free = addMember();
  std::string entry = addBlacklisting(first, "fines");
  addBlacklisting(second, "damage");
  Query change = query({{"blacklistid", entry}, {"memberid", first}, {"reason", "unpaid fines"}});
  std::string out = captureStdout([&] { db.updateBlacklisting(change); });
  EXPECT_TRUE(popsUp(out, english("msg_entry_updated"))) << out;
  EXPECT_EQ(sql.scalar("SELECT reason FROM BLACKLIST WHERE id = " + entry), "unpaid fines");
  change["memberid"] = second.c_str();
  out = captureStdout([&] { db.updateBlacklisting(change); });
  EXPECT_TRUE(popsUp(out, englishError("updateBlacklisting", "err_blacklisting_exists")));
  change["memberid"] = free.c_str();
  out = captureStdout([&] { db.updateBlacklisting(change); });
  EXPECT_TRUE(popsUp(out, english("msg_entry_updated")));
  EXPECT_EQ(count("BLACKLIST", "memberid = " + free), "1");
  EXPECT_EQ(count("BLACKLIST", "memberid = " + first), "0");
}

TEST_F(Blacklist, BlacklistedMemberMayNotBorrowOrReserveUntilDeleted) {
  std::string member = addMember();
  std::string book = sql.addBook();
  std::string entry = addBlacklisting(member);
  Query form = query({{"memberid", member}, {"bookid", book}, {"returnDate", dateFromToday(3)}});
  std::string out = captureStdout([&] { db.insertReservation(form); });
  EXPECT_TRUE(popsUp(out, englishError("insertReservation", "err_reservation_prohibited")));
  captureStdout([&] { db.deleteBlacklisting(query({{"blacklistid", entry}})); });
  EXPECT_EQ(count("BLACKLIST"), "0");
  out = captureStdout([&] { db.insertCheckout(form); });
  EXPECT_TRUE(popsUp(out, english("msg_entry_added")));
}

}  // namespace
