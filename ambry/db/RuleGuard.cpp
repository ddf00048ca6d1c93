// The rule guard: guarded changes (one transaction, retried on conflict, output held until it
// stands) and the restore mark that keeps changes out of a replay.
#include "ambry/db/RuleGuard.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>

#include "ambry/db/Backup.h"
#include "ambry/db/ClientLibrary.h"
#include "ambry/framework/Escape.h"
#include "ambry/framework/Messages.h"

namespace Ambry {

namespace {

// A change given up this many times by the server is refused.
const int kTries = 5;
// A restore's mark lapses this long after its last renewal; the restore renews it far more often.
const char* const kMarkLease = "INTERVAL 60 SECOND";
const int kRenewSeconds = 10;

// Taking the guard: changes nothing (and so fails) while a restore's mark holds, and while a
// replay is recorded that has yet to be rolled back.
const char* const kTake =
    "UPDATE RULEGUARD SET turn = turn + 1 WHERE id = 1 AND replayPoint IS NULL AND "
    "(restoreUntil IS NULL OR restoreUntil <= NOW())";

// The guard as the schema makes it, for a database that lacks it or part of it (made by an
// earlier version, or rebuilt from restore points, which leave it out).
const char* const kMakeGuard[] = {
    "CREATE TABLE IF NOT EXISTS RULEGUARD (id INT NOT NULL, turn BIGINT NOT NULL DEFAULT 0, "
    "restoreUntil DATETIME NULL, restoreBy VARCHAR(255) NULL, replayPoint VARCHAR(255) NULL, "
    "PRIMARY KEY (id)) ENGINE=InnoDB DEFAULT CHARSET=latin1",
    "ALTER TABLE RULEGUARD ADD COLUMN IF NOT EXISTS replayPoint VARCHAR(255) NULL",
    "INSERT IGNORE INTO RULEGUARD (id) VALUES (1)",
};

// Runs a statement beside the operation's own, leaving its result, row and last query as they
// were; the server's error number, 0 when it succeeded.
unsigned int quietly(MYSQL* mysql, const std::string& statement) {
  if (mariadb().query(mysql, statement.c_str()) != 0) return mariadb().error_number(mysql);
  if (MYSQL_RES* answer = mariadb().store_result(mysql)) mariadb().free_result(answer);
  return 0;
}

// The server's errors for a guard table that is missing (1146) or lacks a column (1054).
bool isMissingGuard(unsigned int code) {
  return code == 1146 || code == 1054;
}

// Makes what is missing of the guard; the schema's statements change nothing that is there.
bool makeGuard(MYSQL* mysql) {
  for (const char* statement : kMakeGuard)
    if (quietly(mysql, statement) != 0) return false;
  return true;
}

// The answer of a statement's first column in its first row: "" for none, or when it failed.
std::string firstValue(MYSQL* mysql, const char* statement) {
  if (mariadb().query(mysql, statement) != 0) return "";
  MYSQL_RES* answer = mariadb().store_result(mysql);
  if (!answer) return "";
  MYSQL_ROW first = mariadb().fetch_row(answer);
  std::string value = first && first[0] ? first[0] : "";
  mariadb().free_result(answer);
  return value;
}

double secondsNow() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// How long a change or a second restore waits for a restore to finish before giving up.
const double kRestoreWaitSeconds = 30;

// A short pause that grows with each try; its randomness keeps conflicting changes apart.
void pauseBeforeRetry(int round) {
  static std::minstd_rand random(static_cast<unsigned>(getpid()) ^ static_cast<unsigned>(time(nullptr)));
  usleep(static_cast<useconds_t>((5000 + random() % 20000) * round));
}

enum class Take { kTaken, kConflict, kRefused };

// Why the guard could not be taken: a restore's mark holds it, a replay that a crash interrupted
// waits to be rolled back, or the row is missing.
enum class Blocked { kMarked, kInterrupted, kMissing };

Blocked whyBlocked(MYSQL* mysql) {
  const std::string interrupted = firstValue(
      mysql, "SELECT replayPoint IS NOT NULL AND (restoreUntil IS NULL OR restoreUntil <= NOW()) FROM RULEGUARD WHERE id = 1");
  if (interrupted.empty()) return Blocked::kMissing;
  return interrupted == "1" ? Blocked::kInterrupted : Blocked::kMarked;
}

// Starts the transaction and takes the guard, waiting while a restore is marked until the deadline.
// A missing guard is made once; an interrupted replay is rolled back first.
Take takeGuard(MYSQL* mysql, double deadline) {
  bool made = false;
  for (;;) {
    unsigned int code = quietly(mysql, "START TRANSACTION");
    if (code == 0) code = quietly(mysql, kTake);
    if (code == 0 && mariadb().affected_rows(mysql) == 1) return Take::kTaken;
    quietly(mysql, "ROLLBACK");
    if (isGuardConflict(code)) return Take::kConflict;
    if (code != 0 && !isMissingGuard(code)) return Take::kRefused;
    switch (code != 0 ? Blocked::kMissing : whyBlocked(mysql)) {
      case Blocked::kMissing:
        if (made || !makeGuard(mysql)) return Take::kRefused;
        made = true;
        break;
      case Blocked::kInterrupted:
        // Nothing changes on a database that is part old, part new.
        if (!rollBackInterruptedRestore()) return Take::kRefused;
        deadline = secondsNow() + kRestoreWaitSeconds;
        break;
      case Blocked::kMarked:
        if (secondsNow() >= deadline) return Take::kRefused;
        usleep(100 * 1000);
        break;
    }
  }
}

// Holds what an attempt writes to the page until it is known whether the attempt stands. The C
// library lets stdout be assigned like any variable, so every writer of the page is held alike.
class HeldOutput {
 public:
  HeldOutput() : mPage(stdout) {
    std::fflush(stdout);
    mHeld = open_memstream(&mText, &mSize);
    if (mHeld) stdout = mHeld;
  }
  ~HeldOutput() { finish(true); }
  HeldOutput(const HeldOutput&) = delete;
  HeldOutput& operator=(const HeldOutput&) = delete;
  void discard() { finish(false); }

 private:
  void finish(bool keep) {
    if (!mHeld) return;
    std::fclose(mHeld);
    mHeld = nullptr;
    stdout = mPage;
    if (keep && mSize > 0) std::fwrite(mText, 1, mSize, stdout);
    std::free(mText);
    mText = nullptr;
  }

  FILE* mPage;
  FILE* mHeld = nullptr;
  char* mText = nullptr;
  size_t mSize = 0;
};

}  // namespace

void AmbryDB::keepError() const {
  const char* error = mariadb().error(mysql);
  if (error && *error) keptError = Keystone::String(error);
}

bool AmbryDB::transactionStillOpen() const {
  keepError();
  if (mariadb().query(mysql, "SELECT @@in_transaction") != 0) return true;  // cannot tell
  MYSQL_RES* answer = mariadb().store_result(mysql);
  if (!answer) return true;
  MYSQL_ROW first = mariadb().fetch_row(answer);
  bool open = !first || !first[0] || std::strcmp(first[0], "0") != 0;
  mariadb().free_result(answer);
  return open;
}

Keystone::String AmbryDB::underGuard(const Keystone::String& op, const Keystone::String& shown,
                                     const std::function<Keystone::String()>& attempt) {
  if (!mysql) throw AmbryDBException("openConnection: mysql == 0");
  const double deadline = secondsNow() + kRestoreWaitSeconds;
  for (int round = 1;; ++round) {
    Take take = takeGuard(mysql, deadline);
    if (take == Take::kConflict && round < kTries) {
      pauseBeforeRetry(round);
      continue;
    }
    if (take != Take::kTaken) {
      popupError(op, "err_query_unsuccessful");
      return shown;
    }
    HeldOutput held;
    Keystone::String answer;
    changeRejected = false;
    guardLost = false;
    inGuard = true;
    try {
      answer = attempt();
    } catch (GuardConflict&) {
      guardLost = true;
    } catch (...) {
      if (!guardLost) {
        inGuard = false;
        keepError();
        quietly(mysql, "ROLLBACK");
        throw;
      }
    }
    inGuard = false;
    if (guardLost) {
      // Given up by the server, perhaps under a check that took the failure for a "no": again.
      quietly(mysql, "ROLLBACK");
      held.discard();
      if (round < kTries) {
        pauseBeforeRetry(round);
        continue;
      }
      popupError(op, "err_query_unsuccessful");
      return shown;
    }
    if (changeRejected) {
      // Nothing of a change the server rejected stays; getError() still tells why.
      keepError();
      quietly(mysql, "ROLLBACK");
      return shown;
    }
    unsigned int code = quietly(mysql, "COMMIT");
    if (code == 0) return answer;
    keepError();
    quietly(mysql, "ROLLBACK");
    held.discard();
    if (isGuardConflict(code) && round < kTries) {
      pauseBeforeRetry(round);
      continue;
    }
    popupError(op, "err_query_unsuccessful");
    return shown;
  }
}

bool restoreUnderWay(AmbryDB& db) {
  db.execute("SELECT COUNT(*) FROM RULEGUARD WHERE id = 1 AND (replayPoint IS NOT NULL OR restoreUntil > NOW())");
  const char* marked = db.getNextRow() ? db.getField(0) : nullptr;
  return marked && std::strcmp(marked, "1") == 0;
}

RestoreMark::RestoreMark() {
  mDb.openConnection();
  MYSQL* mysql = mDb.mysql;
  char host[256] = "";
  gethostname(host, sizeof host - 1);
  mToken = std::string(host) + ":" + std::to_string(getpid()) + ":" + std::to_string(time(nullptr));
  const std::string token = sqlText(mysql, mToken.c_str()).c_str();
  const std::string mark = std::string("UPDATE RULEGUARD SET restoreUntil = NOW() + ") + kMarkLease +
                           ", restoreBy = " + token +
                           " WHERE id = 1 AND (restoreUntil IS NULL OR restoreUntil <= NOW())";
  const double deadline = secondsNow() + kRestoreWaitSeconds;
  bool made = false;
  for (int round = 1;; ++round) {
    // Once the mark is committed, every change has either committed before it or will see it.
    unsigned int code = quietly(mysql, mark);
    if (code == 0 && mariadb().affected_rows(mysql) == 1) break;
    const bool missing = isMissingGuard(code) || (code == 0 && whyBlocked(mysql) == Blocked::kMissing);
    if (missing && !made && makeGuard(mysql)) {
      made = true;
      continue;
    }
    if (code != 0 && !isGuardConflict(code)) return;
    if (secondsNow() >= deadline) return;
    usleep(code != 0 ? 20 * 1000 * round : 200 * 1000);  // a conflict, or another restore's mark
  }
  mInterrupted = firstValue(mysql, "SELECT replayPoint FROM RULEGUARD WHERE id = 1");
  mEntered = true;
  mRenewer = std::thread([this] { renewUntilStopped(); });
}

bool RestoreMark::update(const std::string& statement) {
  std::lock_guard<std::mutex> lock(mMutex);  // the renewer shares the connection
  for (int round = 1; round <= kTries; ++round) {
    const unsigned int code = quietly(mDb.mysql, statement);
    // Changed nothing: the mark is no longer this restore's.
    if (code == 0) return mariadb().affected_rows(mDb.mysql) == 1;
    if (!isGuardConflict(code)) return false;
    pauseBeforeRetry(round);
  }
  return false;
}

bool RestoreMark::recordReplay(const std::string& safetyPoint) {
  return update("UPDATE RULEGUARD SET replayPoint = " + std::string(sqlText(mDb.mysql, safetyPoint.c_str()).c_str()) +
                " WHERE id = 1 AND restoreBy = " + sqlText(mDb.mysql, mToken.c_str()).c_str());
}

bool RestoreMark::clearReplay() {
  return update("UPDATE RULEGUARD SET replayPoint = NULL WHERE id = 1 AND replayPoint IS NOT NULL AND restoreBy = " +
                std::string(sqlText(mDb.mysql, mToken.c_str()).c_str()));
}

void RestoreMark::renewUntilStopped() {
  const std::string renew = std::string("UPDATE RULEGUARD SET restoreUntil = NOW() + ") + kMarkLease +
                            " WHERE id = 1 AND restoreBy = " +
                            sqlText(mDb.mysql, mToken.c_str()).c_str();
  std::unique_lock<std::mutex> lock(mMutex);
  while (!mWake.wait_for(lock, std::chrono::seconds(kRenewSeconds), [this] { return mStop; }))
    quietly(mDb.mysql, renew);
}

RestoreMark::~RestoreMark() {
  if (!mEntered) return;
  {
    std::lock_guard<std::mutex> lock(mMutex);
    mStop = true;
  }
  mWake.notify_all();
  mRenewer.join();
  const std::string clear = "UPDATE RULEGUARD SET restoreUntil = NULL, restoreBy = NULL WHERE id = 1 AND restoreBy = " +
                            std::string(sqlText(mDb.mysql, mToken.c_str()).c_str());
  // A mark that cannot be cleared lapses by itself.
  for (int round = 1; round <= kTries; ++round) {
    if (!isGuardConflict(quietly(mDb.mysql, clear))) break;
    pauseBeforeRetry(round);
  }
}

}  // namespace Ambry
