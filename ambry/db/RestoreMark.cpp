// The restore's mark on the guard row: taken when no other restore holds it, renewed by the
// restoring process while it waits on its tools, and the record of a replay under way.
#include <unistd.h>

#include <cstring>
#include <ctime>

#include "ambry/db/ClientLibrary.h"
#include "ambry/db/EscapeSql.h"
#include "ambry/db/RuleGuard.h"

namespace Ambry {

namespace {

// A mark lapses this long after its last renewal; the restoring process renews it far more often.
const char* const kMarkLease = "INTERVAL 60 SECOND";
const double kRenewSeconds = 2;

}  // namespace

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
  const std::string mark = std::string("UPDATE RULEGUARD SET restoreUntil = NOW() + ") + kMarkLease +
                           ", restoreBy = " + sqlText(mysql, mToken.c_str()).c_str() +
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
  mRenewed = secondsNow();
  mInterrupted = firstValue(mysql, "SELECT replayPoint FROM RULEGUARD WHERE id = 1");
  mEntered = true;
}

std::string RestoreMark::whereMine() const {
  return std::string(" WHERE id = 1 AND restoreBy = ") + sqlText(mDb.mysql, mToken.c_str()).c_str();
}

void RestoreMark::renew() {
  if (!mEntered || secondsNow() - mRenewed < kRenewSeconds) return;
  mRenewed = secondsNow();
  // One that fails is tried again at the next look; the lease leaves room for many.
  quietly(mDb.mysql, std::string("UPDATE RULEGUARD SET restoreUntil = NOW() + ") + kMarkLease + whereMine());
}

bool RestoreMark::update(const std::string& statement) {
  for (int round = 1; round <= RetryPolicy::kTries; ++round) {
    const unsigned int code = quietly(mDb.mysql, statement);
    // Changed nothing: the mark is no longer this restore's.
    if (code == 0) return mariadb().affected_rows(mDb.mysql) == 1;
    if (!isGuardConflict(code)) return false;
    RetryPolicy::pause(round);
  }
  return false;
}

bool RestoreMark::recordReplay(const std::string& safetyPoint) {
  return update("UPDATE RULEGUARD SET replayPoint = " + std::string(sqlText(mDb.mysql, safetyPoint.c_str()).c_str()) +
                whereMine());
}

bool RestoreMark::clearReplay() {
  return update("UPDATE RULEGUARD SET replayPoint = NULL" + whereMine() + " AND replayPoint IS NOT NULL");
}

RestoreMark::~RestoreMark() {
  // A mark that cannot be cleared lapses by itself.
  if (mEntered) update("UPDATE RULEGUARD SET restoreUntil = NULL, restoreBy = NULL" + whereMine());
}

}  // namespace Ambry
