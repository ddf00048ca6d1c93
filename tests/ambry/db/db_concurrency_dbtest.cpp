// The rule lock: simultaneous requests in separate processes cannot break the lending rules, the
// lock is released on every path, and a rejected change stays a failure after the release.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

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

class Concurrency : public DbTest {};

TEST_F(Concurrency, SimultaneousLoansOfOneFreeBookGiveExactlyOneLoan) {
  for (int round = 0; round < kRounds; ++round) {
    sql.reset();
    std::vector<std::string> members;
    for (int i = 0; i < kProcesses; ++i) members.push_back(addMember());
    std::string book = addBook();
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
    std::string book = addBook();
    runTogether([&](Ambry::AmbryDB& db) {
      db.insertReservation(query({{"memberid", member}, {"bookid", book}}));
    });
    EXPECT_EQ(count("RESERVATION"), "1") << round;
  }
}

TEST_F(Concurrency, TheLockIsReleasedAfterRefusalsAndExceptions) {
  std::string member = addMember();
  captureStdout([&] {
    db.insertCheckout(query({{"memberid", member}, {"bookid", "99"}, {"returnDate", dateFromToday(1)}}));
  });
  EXPECT_THROW(db.insertCheckout(query({{"memberid", member}, {"bookid", "1"}})),
               Keystone::Exception);  // no returnDate key
  EXPECT_THROW(db.deleteBook(query({})), Keystone::Exception);
  // Another session can take the lock at once, so this one holds it no longer.
  EXPECT_EQ(sql.scalar("SELECT GET_LOCK('ambry_rules', 0)"), "1");
  sql.exec("DO RELEASE_LOCK('ambry_rules')");
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
  std::string book = addBook();
  sql.exec(
      "CREATE TRIGGER reservations_closed BEFORE INSERT ON RESERVATION FOR EACH ROW "
      "SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = 'reservations closed'");
  Keystone::String id;
  std::string out = captureStdout([&] {
    id = db.insertReservation(query({{"memberid", member}, {"bookid", book}, {"reservationid", "3"}}));
  });
  EXPECT_EQ(str(id), "3");
  EXPECT_NE(out.find(refusal("insertReservation", "err_query_unsuccessful")), std::string::npos);
  EXPECT_EQ(out.find(success("msg_entry_added")), std::string::npos);
  // The member's reservation page reads the reason after the operation.
  EXPECT_EQ(str(db.getError()), "reservations closed");
  db.execute("SELECT 1");
  EXPECT_EQ(str(db.getError()), "");
}

}  // namespace
