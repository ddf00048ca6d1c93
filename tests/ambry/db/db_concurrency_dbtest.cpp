// The rule guard: simultaneous requests in separate processes cannot break the lending rules, the
// guard is left on every path, a restore's mark holds changes back, and a rejected change is
// rolled back whole and stays a failure.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <thread>

#include "tests/ambry/db/DbTestSupport.h"

namespace {

const int kProcesses = 8;
const int kRounds = 10;

// Runs the operation in kProcesses processes at once, each with its own connection, released
// together once every one of them has connected.
void runTogether(const std::function<void(Ambry::AmbryDB&)>& operation) {
  int gate[2];
  ASSERT_EQ(pipe(gate), 0);
  std::vector<pid_t> children;
  for (int i = 0; i < kProcesses; ++i) {
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      close(gate[1]);
      int devnull = open("/dev/null", O_WRONLY);
      dup2(devnull, 1);
      Ambry::AmbryDB db;
      db.openConnection();
      char go;
      if (read(gate[0], &go, 1) < 0) _exit(2);
      operation(db);
      fflush(stdout);
      _exit(0);
    }
    children.push_back(pid);
  }
  close(gate[0]);
  usleep(300 * 1000);  // let every child connect before the gate opens
  close(gate[1]);      // end of file: every reader goes at once
  for (pid_t pid : children) {
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
}

Query bookQuery(const std::string& title) {
  return query({{"author", "A"}, {"title", title}, {"isbn", "1"}, {"dewey", "823"}, {"price", "1"}, {"_condition", "1"}});
}

class Concurrency : public DbTest {};

TEST_F(Concurrency, SimultaneousLoansOfOneFreeBookGiveExactlyOneLoan) {
  for (int round = 0; round < kRounds; ++round) {
    sql.reset();
    std::vector<std::string> members;
    for (int i = 0; i < kProcesses; ++i) members.push_back(addMember());
    std::string book = sql.addBook();
    runTogether([&](Ambry::AmbryDB& db) {
      // Each process lends to its own member: the book must still go out only once.
      db.insertCheckout(query({{"memberid", members[getpid() % kProcesses]},
                               {"bookid", book},
                               {"returnDate", dateFromToday(7)}}));
    });
    EXPECT_EQ(count("CHECKOUT", "bookid = " + book + " AND inDate = 0"), "1") << round;
  }
}

TEST_F(Concurrency, SimultaneousReservationsByOneMemberGiveExactlyOne) {
  for (int round = 0; round < kRounds; ++round) {
    sql.reset();
    std::string member = addMember();
    std::string book = sql.addBook();
    runTogether([&](Ambry::AmbryDB& db) {
      db.insertReservation(query({{"memberid", member}, {"bookid", book}}));
    });
    EXPECT_EQ(count("RESERVATION"), "1") << round;
  }
}

TEST_F(Concurrency, TheGuardIsLeftAfterRefusalsAndExceptionsAndNoTransactionStaysOpen) {
  std::string member = addMember();
  captureStdout([&] {
    db.insertCheckout(query({{"memberid", member}, {"bookid", "99"}, {"returnDate", dateFromToday(1)}}));
  });
  EXPECT_THROW(db.deleteBook(query({})), Keystone::Exception);  // no bookid key
  // Another session takes the guard row at once, so this one holds it no longer ...
  sql.exec("SET SESSION innodb_lock_wait_timeout = 1");
  sql.exec("START TRANSACTION");
  sql.exec("UPDATE RULEGUARD SET turn = turn + 1 WHERE id = 1");
  sql.exec("ROLLBACK");
  // ... and what this connection writes next is committed at once, not left in a transaction.
  db.execute("INSERT INTO BOOK (title) VALUES ('after')");
  EXPECT_EQ(count("BOOK", "title = 'after'"), "1");
}

// A check the server gives up while it sends the rows, after the query itself was answered (a
// cluster does so to a transaction that lost a conflict), is no empty answer: the book the check
// would have found lent is not lent again.
TEST_F(Concurrency, ACheckGivenUpWhileItsRowsComeDoesNotLendTheBookTwice) {
  std::string lender = addMember();
  std::string borrower = addMember();
  std::string book = sql.addBook();
  addCheckout(lender, book);
  // Here reads lock, and the open loan is locked by another session: the check fails at once.
  db.execute("SET SESSION TRANSACTION ISOLATION LEVEL SERIALIZABLE");
  db.execute("SET SESSION innodb_lock_wait_timeout = 0");
  sql.exec("SET SESSION TRANSACTION ISOLATION LEVEL READ COMMITTED");  // the loan only, no gaps
  sql.exec("START TRANSACTION");
  sql.query("SELECT id FROM CHECKOUT WHERE bookid = " + book + " AND inDate = 0 FOR UPDATE");
  std::string out = captureStdout([&] {
    db.insertCheckout(query({{"memberid", borrower}, {"bookid", book}, {"returnDate", dateFromToday(7)}}));
  });
  sql.exec("ROLLBACK");
  EXPECT_TRUE(popsUp(out, englishError("insertCheckout", "err_query_unsuccessful"))) << out;
  EXPECT_EQ(count("CHECKOUT", "bookid = " + book + " AND inDate = 0"), "1");
}

// The server gives the first try up (as a deadlock would; a session variable outlives the rollback,
// so only once): the change is run again and stands once, with one pop-up.
TEST_F(Concurrency, AChangeGivenUpOnceIsRunAgainAndStandsOnceWithOnePopUp) {
  sql.exec(
      "CREATE TRIGGER conflict_once BEFORE INSERT ON BOOK FOR EACH ROW IF @conflicted IS NULL THEN "
      "SET @conflicted = 1; SIGNAL SQLSTATE '40001' SET MYSQL_ERRNO = 1213, MESSAGE_TEXT = 'Deadlock'; END IF");
  const std::string turns = sql.scalar("SELECT turn FROM RULEGUARD");
  Keystone::String id;
  std::string out = captureStdout([&] { id = db.insertBook(bookQuery("Retried")); });
  sql.exec("DROP TRIGGER conflict_once");
  EXPECT_EQ(TestSupport::popups(out), std::vector<std::string>{english("msg_entry_added")}) << out;
  EXPECT_EQ(count("BOOK"), "1");
  EXPECT_EQ(str(id), sql.scalar("SELECT id FROM BOOK WHERE title = 'Retried'"));
  EXPECT_EQ(std::stoll(sql.scalar("SELECT turn FROM RULEGUARD")), std::stoll(turns) + 1) << "one commit";
}

// A restore's mark on the guard row: changes wait while it holds, and a lapsed mark holds nothing.
TEST_F(Concurrency, AChangeWaitsForARestoreMarkAndGoesOnWhenItGoes) {
  sql.exec("UPDATE RULEGUARD SET restoreUntil = NOW() + INTERVAL 60 SECOND, restoreBy = 'test' WHERE id = 1");
  std::thread restorer([] {
    usleep(1200 * 1000);
    TestSupport::TestDB other;
    other.exec("UPDATE RULEGUARD SET restoreUntil = NULL, restoreBy = NULL WHERE id = 1");
  });
  const time_t start = time(nullptr);
  std::string out = captureStdout([&] { db.insertBook(bookQuery("During")); });
  const time_t waited = time(nullptr) - start;
  restorer.join();
  EXPECT_GE(waited, 1);
  EXPECT_TRUE(popsUp(out, english("msg_entry_added"))) << out;
  EXPECT_EQ(count("BOOK", "title = 'During'"), "1");

  sql.exec("UPDATE RULEGUARD SET restoreUntil = NOW() - INTERVAL 1 SECOND, restoreBy = 'crashed' WHERE id = 1");
  const time_t again = time(nullptr);
  captureStdout([&] { db.insertBook(bookQuery("Lapsed")); });
  EXPECT_LE(time(nullptr) - again, 1);
  EXPECT_EQ(count("BOOK", "title = 'Lapsed'"), "1");
  sql.exec("UPDATE RULEGUARD SET restoreUntil = NULL, restoreBy = NULL WHERE id = 1");
}

// A database made by an earlier version, or rebuilt from restore points, may lack the guard or part
// of it: the change makes it as the schema does and goes on at once.
TEST_F(Concurrency, AMissingGuardIsMadeAgainAndHoldsNoChangeBack) {
  const std::string schema = sql.query("SHOW CREATE TABLE RULEGUARD").at(0).at(1).value();
  for (const char* loss : {"DROP TABLE RULEGUARD", "DELETE FROM RULEGUARD",
                           "ALTER TABLE RULEGUARD DROP COLUMN replayPoint"}) {
    sql.exec(loss);
    const time_t start = time(nullptr);
    std::string out = captureStdout([&] { db.insertBook(bookQuery(loss)); });
    EXPECT_LE(time(nullptr) - start, 2) << loss;
    EXPECT_TRUE(popsUp(out, english("msg_entry_added"))) << loss << out;
    EXPECT_EQ(count("BOOK", "title = '" + std::string(loss) + "'"), "1") << loss;
    EXPECT_EQ(sql.query("SHOW CREATE TABLE RULEGUARD").at(0).at(1).value(), schema) << loss;
    EXPECT_EQ(count("RULEGUARD", "id = 1"), "1") << loss;
  }
}

class RejectedChange : public DbTest {
 protected:
  void TearDown() override {
    sql.exec("DROP TRIGGER IF EXISTS reservations_closed");
    DbTest::TearDown();
  }
};

TEST_F(RejectedChange, AFailedReservationIsReportedAndItsReasonKept) {
  std::string member = addMember();
  std::string book = sql.addBook();
  sql.exec(
      "CREATE TRIGGER reservations_closed BEFORE INSERT ON RESERVATION FOR EACH ROW "
      "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'reservations closed'");
  Keystone::String id;
  std::string out = captureStdout([&] {
    id = db.insertReservation(query({{"memberid", member}, {"bookid", book}, {"reservationid", "3"}}));
  });
  EXPECT_EQ(str(id), "3");
  EXPECT_TRUE(popsUp(out, englishError("insertReservation", "err_query_unsuccessful")));
  EXPECT_FALSE(popsUp(out, english("msg_entry_added")));
  // The member's reservation page reads the reason after the operation.
  EXPECT_EQ(str(db.getError()), "reservations closed");
  db.execute("SELECT 1");
  EXPECT_EQ(str(db.getError()), "");
}

// A loan whose second statement (using up the borrower's reservation) is rejected is not made.
TEST_F(RejectedChange, ALoanIsNotHalfMade) {
  std::string member = addMember();
  std::string book = sql.addBook();
  addReservation(member, book);
  sql.exec(
      "CREATE TRIGGER reservations_closed BEFORE DELETE ON RESERVATION FOR EACH ROW "
      "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'reservations closed'");
  Keystone::String id;
  std::string out = captureStdout([&] {
    id = db.insertCheckout(
        query({{"memberid", member}, {"bookid", book}, {"returnDate", dateFromToday(7)}, {"checkoutid", "4"}}));
  });
  EXPECT_EQ(str(id), "4");
  EXPECT_TRUE(popsUp(out, englishError("insertCheckout", "err_query_unsuccessful")));
  EXPECT_FALSE(popsUp(out, english("msg_entry_added")));
  EXPECT_EQ(count("CHECKOUT"), "0");
  EXPECT_EQ(count("RESERVATION"), "1");
  EXPECT_EQ(str(db.getError()), "reservations closed");
}

}  // namespace
