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
  EXPECT_NE(out.find(success("msg_entry_added")), std::string::npos) << out;
  EXPECT_EQ(str(id), "1");
  EXPECT_EQ(str(db.getError()), "");
  out = reserve(member, book, &id);
  EXPECT_NE(out.find(refusal("insertReservation", "err_reservation_exists")), std::string::npos);
  EXPECT_EQ(str(id), "1");
  EXPECT_EQ(count("RESERVATION"), "1");
}

TEST_F(Reservations, TheHolderOfALoanMayNotReserveItButAnotherMemberMay) {
  std::string holder = addMember();
  std::string other = addMember();
  std::string book = sql.addBook();
  addCheckout(holder, book);
  std::string out = reserve(holder, book);
  EXPECT_NE(out.find(refusal("insertReservation", "err_checkout_exists")), std::string::npos);
  out = reserve(other, book);
  EXPECT_NE(out.find(success("msg_entry_added")), std::string::npos);
  EXPECT_EQ(count("RESERVATION", "memberid = " + other), "1");
}

TEST_F(Reservations, RefusalsForMemberAccountAndBook) {
  std::string expired = addMember(0);
  std::string blacklisted = addMember();
  addBlacklisting(blacklisted);
  std::string member = addMember();
  std::string book = sql.addBook();
  EXPECT_NE(reserve("", book).find(refusal("insertReservation", "err_info_not_supplied")), std::string::npos);
  EXPECT_NE(reserve("99", book).find(refusal("insertReservation", "err_member_not_exist")),
            std::string::npos);
  EXPECT_NE(reserve(blacklisted, "99").find(refusal("insertReservation", "err_reservation_prohibited")),
            std::string::npos);
  EXPECT_NE(reserve(expired, book).find(refusal("insertReservation", "err_account_expired")),
            std::string::npos);
  EXPECT_NE(reserve(member, "99").find(refusal("insertReservation", "err_book_not_exist")),
            std::string::npos);
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
  EXPECT_NE(out.find(success("msg_entry_updated")), std::string::npos) << out;
  EXPECT_EQ(sql.scalar("SELECT CONCAT_WS('|', memberid, bookid, addDate) FROM RESERVATION "
                       "WHERE id = " +
                       entry),
            second + "|" + book + "|2001-01-01 00:00:00");
  // Moving it to a book the member has reserved already is a duplicate.
  change["bookid"] = other.c_str();
  out = captureStdout([&] { db.updateReservation(change); });
  EXPECT_NE(out.find(refusal("updateReservation", "err_reservation_exists")), std::string::npos);
  // So is handing it to a member who has reserved the same book already.
  addReservation(first, book);
  change["bookid"] = book.c_str();
  change["memberid"] = first.c_str();
  out = captureStdout([&] { db.updateReservation(change); });
  EXPECT_NE(out.find(refusal("updateReservation", "err_reservation_exists")), std::string::npos) << out;
  EXPECT_EQ(count("RESERVATION", "memberid = " + first + " AND bookid = " + book), "1");
}

TEST_F(Reservations, DeletingAMissingIdStillSaysDeleted) {
  std::string out = captureStdout([&] { db.deleteReservation(query({{"reservationid", "42"}})); });
  EXPECT_NE(out.find(success("msg_entry_deleted")), std::string::npos);
  out = captureStdout([&] { db.deleteBlacklisting(query({{"blacklistid", "42"}})); });
  EXPECT_NE(out.find(success("msg_entry_deleted")), std::string::npos);
}

class Blacklist : public DbTest {};

TEST_F(Blacklist, AMemberIsBlacklistedAtMostOnce) {
  std::string member = addMember();
  Keystone::String id;
  std::string out = captureStdout([&] {
    id = db.insertBlacklisting(query({{"memberid", member}, {"reason", "Lost 'three' books"}}));
  });
  EXPECT_NE(out.find(success("msg_entry_added")), std::string::npos);
  EXPECT_EQ(str(id), "1");
  EXPECT_EQ(sql.scalar("SELECT reason FROM BLACKLIST"), "Lost 'three' books");
  out = captureStdout([&] {
    id = db.insertBlacklisting(query({{"memberid", member}, {"reason", "again"}, {"blacklistid", "1"}}));
  });
  EXPECT_NE(out.find(refusal("insertBlacklisting", "err_blacklisting_exists")), std::string::npos);
  out = captureStdout([&] { db.insertBlacklisting(query({{"memberid", "99"}, {"reason", "x"}})); });
  EXPECT_NE(out.find(refusal("insertBlacklisting", "err_member_not_exist")), std::string::npos);
  out = captureStdout([&] { db.insertBlacklisting(query({{"memberid", member}, {"reason", ""}})); });
  EXPECT_NE(out.find(refusal("insertBlacklisting", "err_info_not_supplied")), std::string::npos);
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
  EXPECT_NE(out.find(success("msg_entry_updated")), std::string::npos) << out;
  EXPECT_EQ(sql.scalar("SELECT reason FROM BLACKLIST WHERE id = " + entry), "unpaid fines");
  change["memberid"] = second.c_str();
  out = captureStdout([&] { db.updateBlacklisting(change); });
  EXPECT_NE(out.find(refusal("updateBlacklisting", "err_blacklisting_exists")), std::string::npos);
  change["memberid"] = free.c_str();
  out = captureStdout([&] { db.updateBlacklisting(change); });
  EXPECT_NE(out.find(success("msg_entry_updated")), std::string::npos);
  EXPECT_EQ(count("BLACKLIST", "memberid = " + free), "1");
  EXPECT_EQ(count("BLACKLIST", "memberid = " + first), "0");
}

TEST_F(Blacklist, BlacklistedMemberMayNotBorrowOrReserveUntilDeleted) {
  std::string member = addMember();
  std::string book = sql.addBook();
  std::string entry = addBlacklisting(member);
  Query form = query({{"memberid", member}, {"bookid", book}, {"returnDate", dateFromToday(3)}});
  std::string out = captureStdout([&] { db.insertReservation(form); });
  EXPECT_NE(out.find(refusal("insertReservation", "err_reservation_prohibited")), std::string::npos);
  captureStdout([&] { db.deleteBlacklisting(query({{"blacklistid", entry}})); });
  EXPECT_EQ(count("BLACKLIST"), "0");
  out = captureStdout([&] { db.insertCheckout(form); });
  EXPECT_NE(out.find(success("msg_entry_added")), std::string::npos);
}

}  // namespace
