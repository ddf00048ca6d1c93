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

// Taking the guard: changes nothing (and so fails) while a restore's mark holds.
const char* const kTake =
    "UPDATE RULEGUARD SET turn = turn + 1 WHERE id = 1 AND (restoreUntil IS NULL OR restoreUntil <= NOW())";

// Runs a statement beside the operation's own, leaving its result, row and last query as they
// were; the server's error number, 0 when it succeeded.
unsigned int quietly(MYSQL* mysql, const std::string& statement) {
  if (mariadb().query(mysql, statement.c_str()) != 0) return mariadb().error_number(mysql);
  if (MYSQL_RES* answer = mariadb().store_result(mysql)) mariadb().free_result(answer);
  return 0;
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

// Starts the transaction and takes the guard, waiting while a restore is marked until the deadline.
Take takeGuard(MYSQL* mysql, double deadline) {
  for (;;) {
    unsigned int code = quietly(mysql, "START TRANSACTION");
    if (code == 0) code = quietly(mysql, kTake);
    if (code == 0 && mariadb().affected_rows(mysql) == 1) return Take::kTaken;
    quietly(mysql, "ROLLBACK");
    if (code != 0) return isGuardConflict(code) ? Take::kConflict : Take::kRefused;
    if (secondsNow() >= deadline) return Take::kRefused;
    usleep(100 * 1000);
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
  changeStood = false;
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
    changeRefused = false;
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
    if (code == 0) {
      changeStood = !changeRefused;
      return answer;
    }
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
  for (int round = 1;; ++round) {
    // Once the mark is committed, every change has either committed before it or will see it.
    unsigned int code = quietly(mysql, mark);
    if (code == 0 && mariadb().affected_rows(mysql) == 1) break;
    if (code != 0 && !isGuardConflict(code)) return;
    if (secondsNow() >= deadline) return;
    usleep(code != 0 ? 20 * 1000 * round : 200 * 1000);  // a conflict, or another restore's mark
  }
  mEntered = true;
  mRenewer = std::thread([this] { renewUntilStopped(); });
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
