// The pieces of backup and restore that stand on their own: restore points of each kind, a
// restore that tells what became of the database, and the roll-back of one a crash interrupted.
#pragma once
#include <string>

#include "ambry/db/RestorePoints.h"
#include "keystone/Keystone"

namespace Ambry {

// What became of a request for a restore point.
enum class BackupOutcome {
  kMade,    // the whole database is in the new restore point
  kNoRoom,  // the backup directory has less free space than the last restore point: nothing written
  kFailed,  // no server, a restore under way, or the dump failed: nothing left behind
};

// Makes a restore point of the kind, named in *name when it is made. A new automatic or safety
// point prunes the older ones of its kind. An import or any other change of many rows at once
// makes a kSafety point first, so that the library can be brought back from it.
BackupOutcome makeRestorePoint(RestorePointKind kind, std::string* name = nullptr);

// What became of a restore. Only kRestored leaves the chosen restore point as the database; in
// every other case the database is as it was, except for kNotRolledBack.
enum class RestoreOutcome {
  kRestored,       // the restore point was replayed whole
  kNotStarted,     // no such restore point, or no server to restore into: nothing was done
  kNoSafetyPoint,  // the database could not be saved first, so nothing was replayed
  kRolledBack,     // the replay failed part-way and the saved database was brought back
  kNotRolledBack,  // the replay failed and bringing the saved database back failed as well; no
                   // change is made until it is brought back (each change tries again first)
};

// Restores the restore point fileName (a bare name inside the backup directory) all or nothing:
// the database is first saved to a safety restore point, whose name is given in safetyPoint, and
// brought back from it when the replay fails. The replay is recorded on the rule guard while it
// runs, so that one a crash interrupts is rolled back before anything else changes.
RestoreOutcome restoreAllOrNothing(const Keystone::String& fileName, std::string* safetyPoint = nullptr);

// Brings the database back from the safety point of a restore that a crash interrupted, unless
// another process is doing so; true when no interrupted restore is recorded any more.
bool rollBackInterruptedRestore();

}  // namespace Ambry
