// Backup and restore against the private server: a restore point brings back exactly the
// database it was made of, and a replay that fails is reported.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ambry/db/AmbryDB.h"
#include "ambry/db/Backup.h"
#include "ambry/resources/Resources.h"
#include "tests/support/Capture.h"
#include "tests/support/CgiRunner.h"
#include "tests/support/Popups.h"
#include "tests/support/TestDB.h"

namespace fs = std::filesystem;
using TestSupport::Row;
using TestSupport::SiteSandbox;
using TestSupport::TestDB;

namespace {

// Runs in a site's cgi-bin, so the relative backup directory of the settings holds, with a
// temporary folder of its own to show that the account files go away.
class BackupRoundTrip : public ::testing::Test {
 protected:
  void SetUp() override {
    char cwd[PATH_MAX];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    mOldCwd = cwd;
    ASSERT_EQ(chdir(mSite.cgiBin().c_str()), 0);
    mTmp = mSite.root() + "/tmp";
    fs::create_directories(mTmp);
    const char* oldTmp = std::getenv("TMPDIR");
    mOldTmp = oldTmp ? oldTmp : "";
    setenv("TMPDIR", mTmp.c_str(), 1);
    mDb.reset();
    fillLibrary();
  }
  void TearDown() override {
    if (mOldTmp.empty())
      unsetenv("TMPDIR");
    else
      setenv("TMPDIR", mOldTmp.c_str(), 1);
    ASSERT_EQ(chdir(mOldCwd.c_str()), 0);
  }

  // Rows of every kind, with NULLs, quotes, a Windows-1252 letter and an open loan's zero date.
  void fillLibrary() {
    mDb.exec(
        "INSERT INTO BOOK (author, title, isbn, dewey, price, _condition, addDate) VALUES "
        "('O''Brien', 'At Swim-Two-Birds', '0141182687', 823, 12.50, 7, '2006-05-17 09:05:03'),"
        "(CONCAT('Ma', _latin1 X'EA', 'ra'), 'Kringe in ''n bos', NULL, 839, NULL, 3, NOW())");
    mDb.exec(
        "INSERT INTO MEMBER (password, surname, firstName, address, contactNo, addDate, "
        "accountExpiryDate, accountBalance) VALUES ('pw\\\\1', 'Smit', 'Anna', 'Line 1\\nLine 2', "
        "'012', NOW(), '2030-01-31', -15)");
    mDb.exec(
        "INSERT INTO CHECKOUT (memberid, bookid, checkoutDate, returnDate, inDate) VALUES "
        "(1, 1, NOW(), '2030-02-01', '0000-00-00'), (1, 2, NOW(), '2006-06-01', NOW())");
    mDb.exec("INSERT INTO RESERVATION (memberid, bookid, addDate) VALUES (1, 2, NOW())");
    mDb.exec("INSERT INTO BLACKLIST (memberid, addDate, reason) VALUES (1, NOW(), '100% late')");
  }

  // Every row of every table and every table's definition, counters included.
  std::vector<std::vector<Row>> snapshot() {
    std::vector<std::vector<Row>> state;
    for (const char* table : {"BOOK", "MEMBER", "CHECKOUT", "RESERVATION", "BLACKLIST", "DEWEY"}) {
      state.push_back(mDb.query(std::string("SELECT * FROM ") + table + " ORDER BY id"));
      state.push_back(mDb.query(std::string("SHOW CREATE TABLE ") + table));
    }
    return state;
  }

  std::vector<std::string> backupFiles() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(mSite.backup()))
      names.push_back(entry.path().filename().string());
    return names;
  }

  SiteSandbox mSite;
  TestDB mDb;
  std::string mOldCwd, mOldTmp, mTmp;
};

TEST_F(BackupRoundTrip, RestoreBringsBackExactlyWhatWasBackedUp) {
  auto before = snapshot();
  ASSERT_TRUE(Ambry::AmbryDB::backup());
  std::vector<std::string> files = backupFiles();
  ASSERT_EQ(files.size(), 1u);
  std::string name = files[0];  // the restore point alone: no temporary file remains
  EXPECT_EQ(name.size(), std::string("2006-05-17-09-05-03.bak").size()) << name;
  struct stat info;
  ASSERT_EQ(stat((mSite.backup() + "/" + name).c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0077, 0u) << "it holds the members' passwords";
  EXPECT_EQ(SiteSandbox::readFile(mSite.backup() + "/" + name).find("marmots"), std::string::npos);

  mDb.exec("UPDATE BOOK SET title = 'changed', price = 1 WHERE id = 1");
  mDb.exec("DELETE FROM MEMBER");
  mDb.exec("DELETE FROM CHECKOUT WHERE id = 1");
  mDb.exec("UPDATE CHECKOUT SET inDate = '0000-00-00' WHERE id = 2");
  mDb.exec("INSERT INTO RESERVATION (memberid, bookid, addDate) VALUES (9, 9, NOW())");
  mDb.exec("DELETE FROM BLACKLIST");
  mDb.exec("ALTER TABLE BLACKLIST AUTO_INCREMENT = 50");
  ASSERT_NE(snapshot(), before);

  auto changed = snapshot();
  // A database rebuilt from restore points lacks the guard, which they leave out: it is made again.
  mDb.exec("DROP TABLE RULEGUARD");
  std::string safetyPoint;
  ASSERT_EQ(Ambry::restoreAllOrNothing(name.c_str(), &safetyPoint), Ambry::RestoreOutcome::kRestored);
  EXPECT_EQ(snapshot(), before);
  EXPECT_TRUE(fs::is_empty(mTmp)) << "the account file must not outlive the tools";
  // The database as it was just before the restore is a restore point of its own: the undo.
  EXPECT_EQ(backupFiles().size(), 2u);
  ASSERT_TRUE(Ambry::AmbryDB::restore(safetyPoint.c_str())) << safetyPoint;
  EXPECT_EQ(snapshot(), changed);
  // The rule guard is no part of a restore point, survives the replay and is left unmarked.
  EXPECT_EQ(SiteSandbox::readFile(mSite.backup() + "/" + name).find("ruleguard"), std::string::npos);
  EXPECT_EQ(mDb.scalar("SELECT COUNT(*) FROM RULEGUARD WHERE id = 1 AND restoreUntil IS NULL"), "1");
}

TEST_F(BackupRoundTrip, AChangeBegunDuringAReplayWaitsForItAndIsKept) {
  // Enough rows that the replay takes a while.
  mDb.exec("INSERT INTO BOOK (author, title) SELECT 'Author', REPEAT('t', 200) FROM seq_1_to_20000");
  ASSERT_TRUE(Ambry::AmbryDB::backup());
  std::string name = backupFiles().at(0);
  const std::string books = mDb.scalar("SELECT COUNT(*) FROM BOOK");
  pid_t restorer = fork();
  ASSERT_GE(restorer, 0);
  if (restorer == 0) _exit(Ambry::AmbryDB::restore(name.c_str()) ? 0 : 1);
  bool marked = false;
  for (int i = 0; i < 20000 && !marked; ++i) {
    marked = mDb.scalar("SELECT COUNT(*) FROM RULEGUARD WHERE restoreUntil IS NOT NULL") == "1";
    if (!marked) usleep(500);
  }
  ASSERT_TRUE(marked);
  Ambry::AmbryDB db;
  db.openConnection();
  Ambry::AmbryDB::QueryMap book;
  for (const char* key : {"author", "title", "isbn", "dewey", "price", "_condition"}) book[key] = "823";
  book["author"] = "During";
  TestSupport::captureStdout([&] { db.insertBook(book); });
  EXPECT_EQ(mDb.scalar("SELECT COUNT(*) FROM RULEGUARD WHERE restoreUntil IS NOT NULL"), "0")
      << "the change went on while the replay ran";
  int status = 0;
  ASSERT_EQ(waitpid(restorer, &status, 0), restorer);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the replay failed";
  EXPECT_EQ(mDb.scalar("SELECT COUNT(*) FROM BOOK WHERE author = 'During'"), "1");
  EXPECT_EQ(mDb.scalar("SELECT COUNT(*) FROM BOOK"), std::to_string(std::stoi(books) + 1));
}

TEST_F(BackupRoundTrip, AReplayThatFailsPartWayLeavesEveryRowInPlace) {
  // The client tool stops at the first bad statement, after the delete, and says so in its exit
  // status; the database saved just before is brought back.
  SiteSandbox::writeFile(mSite.backup() + "/broken.bak",
                         "USE ambry;\nDELETE FROM BOOK WHERE id = 1;\nTHIS IS NOT SQL;\n");
  auto before = snapshot();
  std::string safetyPoint;
  EXPECT_EQ(Ambry::restoreAllOrNothing("broken.bak", &safetyPoint), Ambry::RestoreOutcome::kRolledBack);
  EXPECT_EQ(snapshot(), before);
  EXPECT_EQ(mDb.scalar("SELECT COUNT(*) FROM BOOK"), "2");
  EXPECT_NE(safetyPoint.find("-safety.bak"), std::string::npos) << safetyPoint;
  EXPECT_TRUE(fs::exists(mSite.backup() + "/" + safetyPoint));
  EXPECT_FALSE(Ambry::AmbryDB::restore("broken.bak"));
  EXPECT_EQ(backupFiles().size(), 3u) << "a second safety point beside the first, replacing nothing";
  EXPECT_TRUE(fs::is_empty(mTmp));
  EXPECT_EQ(mDb.scalar("SELECT COUNT(*) FROM RULEGUARD WHERE restoreUntil IS NULL"), "1") << "mark left behind";
}

// What a crash in the middle of a replay leaves: part of the database replaced, the replay recorded
// on the guard with its safety point, and the restore's mark lapsed.
class InterruptedReplay : public BackupRoundTrip {
 protected:
  void SetUp() override {
    BackupRoundTrip::SetUp();
    Ambry::setLanguage("eng");
    mBefore = snapshot();
    ASSERT_EQ(Ambry::makeRestorePoint(Ambry::RestorePointKind::kSafety, &mSafetyPoint), Ambry::BackupOutcome::kMade);
    mDb.exec("DELETE FROM BOOK WHERE id = 2");
    mDb.exec("DELETE FROM MEMBER");
    mDb.exec("UPDATE RULEGUARD SET replayPoint = '" + mSafetyPoint +
             "', restoreBy = 'crashed', restoreUntil = NOW() - INTERVAL 1 SECOND WHERE id = 1");
  }
  std::string guard() { return mDb.scalar("SELECT CONCAT_WS('/', replayPoint, restoreUntil) FROM RULEGUARD"); }

  std::vector<std::vector<Row>> mBefore;
  std::string mSafetyPoint;
};

TEST_F(InterruptedReplay, NoRestorePointIsMadeOfTheMixAndTheNextChangeRollsItBackFirst) {
  EXPECT_EQ(Ambry::makeRestorePoint(Ambry::RestorePointKind::kByHand), Ambry::BackupOutcome::kFailed);
  EXPECT_EQ(backupFiles().size(), 1u) << "only the safety point";
  Ambry::AmbryDB db;
  db.openConnection();
  Ambry::AmbryDB::QueryMap book;
  for (const char* key : {"author", "title", "isbn", "dewey", "price", "_condition"}) book[key] = "823";
  book["title"] = "After";
  std::string out = TestSupport::captureStdout([&] { db.insertBook(book); });
  EXPECT_TRUE(TestSupport::popsUp(out, TestSupport::english("msg_entry_added"))) << out;
  EXPECT_EQ(guard(), "") << "the record and the mark are gone";
  mDb.exec("DELETE FROM BOOK WHERE title = 'After'");
  mDb.exec("ALTER TABLE BOOK AUTO_INCREMENT = 1");
  EXPECT_EQ(snapshot(), mBefore) << "the change went ahead on the database as it was, not on the mix";
}

// A restore begun after the crash replays its point over the mix, and falls back on the safety
// point of the interrupted replay (not on a new one of the mix) when its own replay fails.
TEST_F(InterruptedReplay, ARestoreFallsBackOnTheSafetyPointOfTheInterruptedOne) {
  SiteSandbox::writeFile(mSite.backup() + "/broken.bak", "USE ambry;\nDELETE FROM BOOK;\nTHIS IS NOT SQL;\n");
  std::string safetyPoint;
  EXPECT_EQ(Ambry::restoreAllOrNothing("broken.bak", &safetyPoint), Ambry::RestoreOutcome::kRolledBack);
  EXPECT_EQ(safetyPoint, mSafetyPoint);
  EXPECT_EQ(backupFiles().size(), 2u) << "no safety point of the mix";
  EXPECT_EQ(snapshot(), mBefore);
  EXPECT_EQ(guard(), "");
}

}  // namespace
