// The rule lock: a maintenance operation's checks and change run while it holds one named
// server lock, so that no other request can change what the checks saw before the change is made.
#pragma once
#include "ambry/db/AmbryDB.h"

namespace Ambry {

class RuleLock {
 public:
  // Waits for the lock; acquired() tells whether it came within the wait.
  explicit RuleLock(const AmbryDB& db);
  // Releases the lock on every path out of the operation, exceptions included.
  ~RuleLock();
  RuleLock(const RuleLock&) = delete;
  RuleLock& operator=(const RuleLock&) = delete;
  bool acquired() const { return mAcquired; }

 private:
  // Runs a lock statement beside the operation's own, leaving its result, row and last query.
  bool run(const char* statement) const;

  const AmbryDB& mDb;
  bool mAcquired;
};

}  // namespace Ambry
