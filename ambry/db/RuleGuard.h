// The rule guard: every change of the library runs as one transaction that first writes the one
// row of RULEGUARD, so that changes take turns on one server and conflict on a cluster; a restore
// marks the same row while it replays, and changes wait for the mark to go. A replay is also
// recorded there until it has ended whole or been rolled back, so that one a crash interrupted is
// rolled back before anything else changes. A missing guard table or row is made again.
#pragma once
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "ambry/db/AmbryDB.h"

namespace Ambry {

// Thrown by execute() inside a guarded change when the server gave its transaction up (deadlock,
// lock wait timeout, a cluster's certification failure): the change is rolled back and run again.
struct GuardConflict {};

// True for the server's error numbers of a transaction given up: 1213 deadlock, 1205 lock wait.
inline bool isGuardConflict(unsigned int code) {
  return code == 1213 || code == 1205;
}

// True while a restore is marked or a replay is recorded: the database may be part replaced.
bool restoreUnderWay(AmbryDB& db);

// A restore in progress, marked on the guard row for as long as the object lives. The mark is
// renewed while the replay runs and lapses by itself when the restoring process dies.
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
  // The safety point of a replay that a crash interrupted, found when the mark was taken; empty
  // when there was none.
  const std::string& interruptedReplay() const { return mInterrupted; }
  // Records that a replay is under way, to be rolled back from the safety point should it never
  // end; false when that could not be recorded.
  bool recordReplay(const std::string& safetyPoint);
  // Ends the record: the replay ended whole, or the database was brought back from the safety point.
  bool clearReplay();

 private:
  void renewUntilStopped();
  // Runs a statement on the mark's connection, again after a conflict; true when it succeeded.
  bool update(const std::string& statement);

  AmbryDB mDb;
  std::string mToken;
  std::string mInterrupted;
  bool mEntered = false;
  std::thread mRenewer;
  std::mutex mMutex;
  std::condition_variable mWake;
  bool mStop = false;
};

}  // namespace Ambry
