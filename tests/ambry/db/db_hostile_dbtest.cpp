// Hostile request values through every AmbryDB operation: no value can change a statement, so
// nothing is found or changed that the value does not name, and text is stored as typed.
#include <functional>

#include "tests/ambry/db/DbTestSupport.h"

namespace {

// The 32 bytes from first on: every byte from 0x80 to 0xFF is in one of four such texts, each as
// long as the shortest text column holds.
std::string bytesFrom(int first) {
  std::string text;
  for (int c = first; c < first + 32; ++c) text += static_cast<char>(c);
  return text;
}
const std::string kHighBytes[] = {bytesFrom(0x80), bytesFrom(0xA0), bytesFrom(0xC0), bytesFrom(0xE0)};

const char* const kHostile[] = {
    "'",
    "\\",
    "%",
    "_",
    "--",
    ";",
    "' OR '1'='1",
    "1 OR 1=1",
    "0; DELETE FROM BOOK",
    "abc",
    "\\' OR 1=1 -- ",
    "1' --",
    "%' OR '%'='",
    "\"",
    "1)",
    "' OR memberid > '0",
    // Windows-1252 letters and signs, every byte from 0x80 to 0xFF among them: the escaper of the
    // latin1 connection passes them as text, and no multi-byte reading hides a quote behind one.
    "Kr\352eftige M\364re",
    "\xBF' OR 1=1 -- ",
    "\xFF\\",
    kHighBytes[0].c_str(),
    kHighBytes[1].c_str(),
    kHighBytes[2].c_str(),
    kHighBytes[3].c_str(),
};

class Hostile : public DbTest {
 protected:
  // Ids, prices and balances that no hostile value's leading number (or 0 for none) names.
  void SetUp() override {
    DbTest::SetUp();
    sql.exec(
        "INSERT INTO MEMBER (id, password, surname, accountExpiryDate, accountBalance) "
        "VALUES (5, 'secret', 'A', '2999-01-01', 3), (6, 'other', 'B', '2999-01-01', 3)");
    sql.exec(
        "INSERT INTO BOOK (id, author, title, isbn, dewey, price, _condition) VALUES "
        "(5, 'Ann', 'First', '0-1', 500, 7, 7), (6, 'Bob', 'Second', '0-2', 500, 7, 7)");
    sql.exec(
        "INSERT INTO CHECKOUT (id, memberid, bookid, returnDate, inDate) VALUES "
        "(5, 5, 5, '2999-01-01', '0000-00-00')");
    sql.exec("INSERT INTO RESERVATION (id, memberid, bookid) VALUES (5, 6, 6)");
    sql.exec("INSERT INTO BLACKLIST (id, memberid, reason) VALUES (5, 6, 'fines')");
  }
  std::string snapshot() {
    std::string all;
    for (const char* table : {"BOOK", "MEMBER", "CHECKOUT", "RESERVATION", "BLACKLIST"})
      for (const TestSupport::Row& row : sql.query(std::string("SELECT * FROM ") + table))
        for (const auto& field : row) all += (field ? *field : "NULL") + "|";
    return all;
  }
  bool found() { return db.getNextRow(); }
};

TEST_F(Hostile, SearchesSelectsAndExistenceTestsFindNothing) {
  for (const char* v : kHostile) {
    SCOPED_TRACE(v);
    for (const char* column : {"id", "author", "title", "isbn", "dewey", "price"}) {
      db.searchBook(query({{column, v}}));
      EXPECT_FALSE(found()) << column;
    }
    for (const char* column : {"id", "password", "surname", "accountBalance"}) {
      db.searchMember(query({{column, v}}));
      EXPECT_FALSE(found()) << column;
    }
    for (const char* column : {"id", "memberid", "bookid"}) {
      db.searchCheckout(query({{column, v}}));
      EXPECT_FALSE(found()) << column;
    }
    db.searchReservation(query({{"bookid", v}}));
    EXPECT_FALSE(found());
    db.searchBlacklisting(query({{"reason", v}}));
    EXPECT_FALSE(found());
    db.searchBook_Member(query({{"author", v}, {"title", v}, {"isbn", v}}));
    EXPECT_FALSE(found());
    db.searchBook_Member(query({{"author", ""}, {"title", v}, {"isbn", ""}}));
    EXPECT_FALSE(found());
    db.searchMember_Member(query({{"memberid", v}}));
    EXPECT_FALSE(found());
    db.searchCheckout_Member(query({{"memberid", v}}));
    EXPECT_FALSE(found());
    db.searchReservation_Member(query({{"memberid", v}}));
    EXPECT_FALSE(found());
    db.selectBook(query({{"bookid", v}, {"direction", "0"}}));
    EXPECT_FALSE(found());
    db.selectMember(query({{"memberid", v}, {"direction", "0"}}));
    EXPECT_FALSE(found());
    db.selectCheckout(query({{"checkoutid", v}, {"direction", "0"}}));
    EXPECT_FALSE(found());
    db.selectReservation(query({{"reservationid", v}, {"direction", "0"}}));
    EXPECT_FALSE(found());
    db.selectBlacklisting(query({{"blacklistid", v}, {"direction", "0"}}));
    EXPECT_FALSE(found());
    db.selectBook_ISBN(query({{"isbn", v}}));
    EXPECT_FALSE(found());
    db.selectBlacklisting_MemberID(query({{"memberid", v}}));
    EXPECT_FALSE(found());
    EXPECT_FALSE(db.bookExists(query({{"bookid", v}})));
    EXPECT_FALSE(db.checkoutExists(query({{"bookid", v}})));
    EXPECT_FALSE(db.reservationExists(query({{"memberid", v}, {"bookid", v}})));
    EXPECT_FALSE(db.reservationExists(query({{"memberid", "6"}, {"bookid", v}})));
    EXPECT_FALSE(db.blacklistingExists(query({{"memberid", v}})));
    EXPECT_FALSE(db.memberExists(query({{"memberid", v}})));
    EXPECT_FALSE(db.memberExists(query({{"memberid", "5"}, {"password", v}})));
    EXPECT_FALSE(db.memberExists(query({{"memberid", v}, {"password", v}})));
  }
}

TEST_F(Hostile, ChangesByHostileIdsChangeNothing) {
  const std::string before = snapshot();
  for (const char* v : kHostile) {
    SCOPED_TRACE(v);
    captureStdout([&] {
      db.updateBook(query({{"bookid", v},
                           {"author", "x"},
                           {"title", "x"},
                           {"isbn", "x"},
                           {"dewey", "500"},
                           {"price", "1"},
                           {"_condition", "1"}}));
      db.deleteBook(query({{"bookid", v}}));
      db.updateMember(query({{"memberid", v},
                             {"password", "x"},
                             {"surname", "x"},
                             {"firstName", "x"},
                             {"address", "x"},
                             {"contactNo", "x"},
                             {"accountExpiryDate", "2999-01-01"},
                             {"accountBalance", "1"}}));
      db.deleteMember(query({{"memberid", v}}));
      db.insertCheckout(query({{"memberid", v}, {"bookid", "6"}, {"returnDate", "2999-01-01"}}));
      db.insertCheckout(query({{"memberid", "5"}, {"bookid", v}, {"returnDate", "2999-01-01"}}));
      db.updateCheckout(
          query({{"checkoutid", v}, {"memberid", "5"}, {"bookid", "5"}, {"returnDate", "2999-01-01"}}));
      db.returnCheckout(query({{"checkoutid", v}}));
      db.deleteCheckout(query({{"checkoutid", v}}));
      db.insertReservation(query({{"memberid", v}, {"bookid", "5"}}));
      db.insertReservation(query({{"memberid", "5"}, {"bookid", v}}));
      db.updateReservation(query({{"reservationid", v}, {"memberid", "5"}, {"bookid", "6"}}));
      db.deleteReservation(query({{"reservationid", v}}));
      db.insertBlacklisting(query({{"memberid", v}, {"reason", "x"}}));
      db.updateBlacklisting(query({{"blacklistid", v}, {"memberid", "5"}, {"reason", "x"}}));
      db.deleteBlacklisting(query({{"blacklistid", v}}));
    });
    EXPECT_EQ(snapshot(), before);
  }
}

TEST_F(Hostile, UpdatesWithoutTheirEntryAreRefusedNotThrownNorReportedDone) {
  const std::string before = snapshot();
  const struct {
    const char* operation;
    const char* idKey;
    std::function<void(const Query&)> update;
  } updates[] = {
      {"updateBook", "bookid", [&](const Query& q) { db.updateBook(q); }},
      {"updateMember", "memberid", [&](const Query& q) { db.updateMember(q); }},
      {"updateCheckout", "checkoutid", [&](const Query& q) { db.updateCheckout(q); }},
      {"updateReservation", "reservationid", [&](const Query& q) { db.updateReservation(q); }},
      {"updateBlacklisting", "blacklistid", [&](const Query& q) { db.updateBlacklisting(q); }},
  };
  // Every value the five updates need; each case leaves its own entry's id out, empty, or naming
  // no entry.
  Query fields = query({{"dewey", "500"}, {"price", "1"}, {"_condition", "1"}, {"accountBalance", "1"}});
  for (const char* id : {"memberid", "bookid"}) fields[id] = "5";
  for (const char* date : {"accountExpiryDate", "returnDate"}) fields[date] = "2999-01-01";
  for (const char* text :
       {"author", "title", "isbn", "password", "surname", "firstName", "address", "contactNo", "reason"})
    fields[text] = "x";
  for (const auto& u : updates) {
    Query missing;
    for (int i = 0; i < fields.size(); ++i)
      if (fields.keyAt(i) != u.idKey) missing[fields.keyAt(i)] = fields.valueAt(i);
    Query empty = fields;
    empty[u.idKey] = "";
    // An entry deleted after the page showed it, every rule otherwise kept (member 5 with its
    // password, book 6 on the shelf): the update must not say it was saved.
    Query gone = fields;
    gone["password"] = "secret";
    gone["bookid"] = "6";
    gone[u.idKey] = "999999";
    const std::pair<Query, const char*> forms[] = {
        {missing, "err_info_not_supplied"}, {empty, "err_info_not_supplied"}, {gone, "err_entry_gone"}};
    for (const auto& [form, reason] : forms) {
      std::string out;
      EXPECT_NO_THROW(out = captureStdout([&] { u.update(form); })) << u.operation;
      EXPECT_EQ(TestSupport::popups(out), std::vector<std::string>{englishError(u.operation, reason)})
          << u.operation;
      EXPECT_FALSE(db.lastChangeStood()) << u.operation;
    }
  }
  EXPECT_EQ(snapshot(), before);
}

TEST_F(Hostile, TextValuesAreStoredExactlyAsTyped) {
  for (const char* v : kHostile) {
    SCOPED_TRACE(v);
    Keystone::String book, member, entry;
    captureStdout([&] {
      book = db.insertBook(query(
          {{"author", v}, {"title", v}, {"isbn", v}, {"dewey", "500"}, {"price", "1"}, {"_condition", "1"}}));
      member = db.insertMember(query({{"memberid", "1"},
                                      {"password", v},
                                      {"surname", v},
                                      {"firstName", v},
                                      {"address", v},
                                      {"contactNo", v},
                                      {"accountExpiryDate", "2999-01-01"},
                                      {"accountBalance", "0"}}));
      entry = db.insertBlacklisting(query({{"memberid", str(member)}, {"reason", v}}));
    });
    EXPECT_TRUE(db.lastChangeStood());
    EXPECT_EQ(sql.scalar("SELECT CONCAT_WS('|', author, title, isbn) FROM BOOK WHERE id = " + str(book)),
              std::string(v) + "|" + v + "|" + v);
    EXPECT_EQ(sql.scalar("SELECT CONCAT_WS('|', password, surname, contactNo) FROM MEMBER WHERE "
                         "id = " +
                         str(member)),
              std::string(v) + "|" + v + "|" + v);
    EXPECT_EQ(sql.scalar("SELECT reason FROM BLACKLIST WHERE id = " + str(entry)), v);
    // The member logs in with exactly the hostile password and with nothing else.
    EXPECT_TRUE(db.memberExists(query({{"memberid", str(member)}, {"password", v}})));
    db.selectBook_ISBN(query({{"isbn", v}}));
    ASSERT_TRUE(db.getNextRow());
    EXPECT_EQ(str(db.getField(0)), str(book));
    db.searchBook_Member(query({{"author", ""}, {"title", v}, {"isbn", ""}}));
    ASSERT_TRUE(db.getNextRow());
    EXPECT_EQ(str(db.getField(0)), str(book));
    EXPECT_FALSE(db.getNextRow());
    sql.exec("DELETE FROM BOOK WHERE id = " + str(book));
  }
}

}  // namespace
