// The rule guard: every change of the library runs as one transaction that first writes the one
// row of RULEGUARD, so that changes take turns on one server and conflict on a cluster; a restore
// marks the same row while it replays, and changes wait for the mark to go. A replay is also
// recorded there until it has ended whole or been rolled back, so that one a crash interrupted is
// rolled back before anything else changes. A missing guard table or row is made again.
#pragma once
#include <string>

#include "ambry/db/AmbryDB.h"

namespace Ambry {

// Thrown by execute() inside a guarded change when the server gave its transaction up (deadlock,
// lock wait timeout, a cluster's certification failure): the change is rolled back and run again.
struct GuardConflict {};

// True for the server's error numbers of a transaction given up: 1213 deadlock, 1205 lock wait.
inline bool isGuardConflict(unsigned int code) {
  return code == 1213 || code == 1205;
}

// The one retry policy of the guard: how often a change (or a write of a restore's mark) that the
// server gives up is tried, and the pause before the next try.
struct RetryPolicy {
  static const int kTries = 5;
  // A short pause that grows with each try; its randomness keeps conflicting changes apart.
  static void pause(int round);
};

// How long a change or a second restore waits for a restore's mark to go before giving up.
const double kRestoreWaitSeconds = 30;

// Seconds on a clock that only goes forward.
double secondsNow();

// Runs a statement on a connection beside the operation's own, leaving the object's result, row
// and last query as they were; the server's error number, 0 when it succeeded.
unsigned int quietly(MYSQL* mysql, const std::string& statement);
// The first column of the first row a statement answers; "" for none, or when it failed.
std::string firstValue(MYSQL* mysql, const char* statement);
// The server's errors for a guard table that is missing (1146) or lacks a column (1054).
inline bool isMissingGuard(unsigned int code) {
  return code == 1146 || code == 1054;
}
// Makes what is missing of the guard, with the statements of sql/schema.sql.
bool makeGuard(MYSQL* mysql);
// Whether the guard row is missing, a replay a crash interrupted waits to be rolled back, or the
// row is marked by a restore under way; read when the guard could not be taken.
enum class Blocked { kMarked, kInterrupted, kMissing };
Blocked whyBlocked(MYSQL* mysql);

// True while a restore is marked or a replay is recorded: the database may be part replaced.
bool restoreUnderWay(AmbryDB& db);

// A restore in progress, marked on the guard row for as long as the object lives and renews it.
// The mark lapses by itself a minute after the last renewal, so it outlives its process by no more.
class RestoreMark {
 public:
  // Waits until no other restore is marked (as long as a change would wait), then marks this one;
  // a lapsed mark is taken over.
  RestoreMark();
  // Clears the mark (when it is still this restore's).
  ~RestoreMark();
  RestoreMark(const RestoreMark&) = delete;
  RestoreMark& operator=(const RestoreMark&) = delete;
  bool entered() const { return mEntered; }
  // Renews the mark when a renewal is due. The restore calls it between looks at the tool it waits
  // for, so the mark stands exactly as long as the process that carries the restore out is alive.
  void renew();
  // The safety point of a replay that a crash interrupted, found when the mark was taken; empty
  // when there was none.
  const std::string& interruptedReplay() const { return mInterrupted; }
  // Records that a replay is under way, to be rolled back from the safety point should it never
  // end; false when that could not be recorded.
  bool recordReplay(const std::string& safetyPoint);
  // Ends the record: the replay ended whole, or the database was brought back from the safety point.
  bool clearReplay();

 private:
  // Runs a statement of this mark, again after a conflict; true when it changed the guard row.
  bool update(const std::string& statement);
  // " WHERE id = 1 AND restoreBy = " and this mark's token.
  std::string whereMine() const;

  AmbryDB mDb;
  std::string mToken;
  std::string mInterrupted;
  bool mEntered = false;
  double mRenewed = 0;
};

}  // namespace Ambry
