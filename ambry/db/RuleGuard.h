// The rule guard: every change of the library runs as one transaction that first writes the one
// row of RULEGUARD, so that changes take turns on one server and conflict on a cluster; a restore
// marks the same row while it replays, and changes wait for the mark to go.
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

// A restore in progress, marked on the guard row for as long as the object lives. The mark is
// renewed while the replay runs and lapses by itself when the restoring process dies.
class RestoreMark {
 public:
  // Waits until no other restore is marked (as long as a change would wait), then marks this one.
  RestoreMark();
  // Clears the mark (when it is still this restore's).
  ~RestoreMark();
  RestoreMark(const RestoreMark&) = delete;
  RestoreMark& operator=(const RestoreMark&) = delete;
  bool entered() const { return mEntered; }

 private:
  void renewUntilStopped();

  AmbryDB mDb;
  std::string mToken;
  bool mEntered = false;
  std::thread mRenewer;
  std::mutex mMutex;
  std::condition_variable mWake;
  bool mStop = false;
};

}  // namespace Ambry
