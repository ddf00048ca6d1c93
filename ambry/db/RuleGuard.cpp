// The guarded change: one try takes the guard, runs the change with its page output held, and
// commits or rolls back, saying how it went; one loop around it owns the retry policy.
#include "ambry/db/RuleGuard.h"

#include <unistd.h>

#include <chrono>
#include <cstring>
#include <ctime>
#include <random>

#include "ambry/db/Backup.h"
#include "ambry/db/ClientLibrary.h"
#include "ambry/framework/HeldOutput.h"
#include "ambry/framework/Messages.h"

namespace Ambry {

namespace {

// Taking the guard: changes nothing (and so fails) while a restore's mark holds, and while a
// replay is recorded that has yet to be rolled back.
const char* const kTake =
    "UPDATE RULEGUARD SET turn = turn + 1 WHERE id = 1 AND replayPoint IS NULL AND "
    "(restoreUntil IS NULL OR restoreUntil <= NOW())";

// The guard as sql/schema.sql makes it, for a database that lacks it or part of it (made by an
// earlier version, or rebuilt from restore points, which leave it out).
const char* const kMakeGuard[] = {
    "CREATE TABLE IF NOT EXISTS RULEGUARD (id INT NOT NULL, turn BIGINT NOT NULL DEFAULT 0, "
    "restoreUntil DATETIME NULL, restoreBy VARCHAR(255) NULL, replayPoint VARCHAR(255) NULL, "
    "PRIMARY KEY (id)) ENGINE=InnoDB DEFAULT CHARSET=latin1",
    "ALTER TABLE RULEGUARD ADD COLUMN IF NOT EXISTS replayPoint VARCHAR(255) NULL",
    "INSERT IGNORE INTO RULEGUARD (id) VALUES (1)",
};

enum class Take { kTaken, kConflict, kRefused };

// Starts the transaction and takes the guard, waiting while a restore is marked until the deadline.
// A missing guard is made once; a replay that a crash interrupted is rolled back first.
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

}  // namespace

void RetryPolicy::pause(int round) {
  static std::minstd_rand random(static_cast<unsigned>(getpid()) ^ static_cast<unsigned>(time(nullptr)));
  usleep(static_cast<useconds_t>((5000 + random() % 20000) * round));
}

double secondsNow() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

unsigned int quietly(MYSQL* mysql, const std::string& statement) {
  if (mariadb().query(mysql, statement.c_str()) != 0) return mariadb().error_number(mysql);
  if (MYSQL_RES* answer = mariadb().store_result(mysql)) mariadb().free_result(answer);
  return 0;
}

std::string firstValue(MYSQL* mysql, const char* statement) {
  if (mariadb().query(mysql, statement) != 0) return "";
  MYSQL_RES* answer = mariadb().store_result(mysql);
  if (!answer) return "";
  MYSQL_ROW first = mariadb().fetch_row(answer);
  std::string value = first && first[0] ? first[0] : "";
  mariadb().free_result(answer);
  return value;
}

bool makeGuard(MYSQL* mysql) {
  for (const char* statement : kMakeGuard)
    if (quietly(mysql, statement) != 0) return false;
  return true;
}

Blocked whyBlocked(MYSQL* mysql) {
  const std::string interrupted = firstValue(mysql,
                                             "SELECT replayPoint IS NOT NULL AND (restoreUntil IS NULL OR "
                                             "restoreUntil <= NOW()) FROM RULEGUARD WHERE id = 1");
  if (interrupted.empty()) return Blocked::kMissing;
  return interrupted == "1" ? Blocked::kInterrupted : Blocked::kMarked;
}

void AmbryDB::keepError() const {
  const char* error = mariadb().error(mysql);
  if (error && *error) keptError = Keystone::String(error);
}

bool AmbryDB::transactionStillOpen() const {
  keepError();
  const std::string open = firstValue(mysql, "SELECT @@in_transaction");
  return open != "0";  // one that cannot tell counts as open
}

AmbryDB::Attempt AmbryDB::tryGuarded(const Keystone::String& op, const std::function<Keystone::String()>& change,
                                     double deadline, Keystone::String& answer) {
  switch (takeGuard(mysql, deadline)) {
    case Take::kConflict:
      return Attempt::kRetry;
    case Take::kRefused:
      popupError(op, "err_query_unsuccessful");
      return Attempt::kRejected;
    case Take::kTaken:
      break;
  }
  HeldOutput held;  // what a try that does not stand writes never reaches the page
  guard = {true, Attempt::kCommitted};
  try {
    answer = change();
  } catch (GuardConflict&) {
  } catch (...) {
    guard.running = false;
    if (guard.outcome != Attempt::kRetry) {
      guard.outcome = Attempt::kRejected;  // nothing of it stands
      keepError();
      quietly(mysql, "ROLLBACK");
      throw;
    }
  }
  guard.running = false;
  if (guard.outcome != Attempt::kCommitted) {
    // A refusal changed nothing; a rejected statement leaves nothing of the change, and getError()
    // still tells why; a transaction the server gave up is run again.
    if (guard.outcome == Attempt::kRejected) keepError();
    quietly(mysql, "ROLLBACK");
    if (guard.outcome == Attempt::kRetry) held.discard();
    return guard.outcome;
  }
  const unsigned int code = quietly(mysql, "COMMIT");
  if (code == 0) return Attempt::kCommitted;
  keepError();
  quietly(mysql, "ROLLBACK");
  held.discard();
  if (isGuardConflict(code)) return Attempt::kRetry;
  popupError(op, "err_query_unsuccessful");
  return Attempt::kRejected;
}

Keystone::String AmbryDB::underGuard(const Keystone::String& op, const Keystone::String& shown,
                                     const std::function<Keystone::String()>& change) {
  if (!mysql) throw AmbryDBException("openConnection: mysql == 0");
  const double deadline = secondsNow() + kRestoreWaitSeconds;
  Keystone::String answer;
  for (int round = 1;; ++round) {
    guard.outcome = tryGuarded(op, change, deadline, answer);
    if (guard.outcome != Attempt::kRetry) break;
    if (round == RetryPolicy::kTries) {
      popupError(op, "err_query_unsuccessful");
      break;
    }
    RetryPolicy::pause(round);
  }
  return guard.outcome == Attempt::kCommitted ? answer : shown;
}

}  // namespace Ambry
