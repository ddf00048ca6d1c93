// The pieces of backup and restore that stand on their own: restore point names and their check,
// and a restore that tells what became of the database.
#pragma once
#include <ctime>
#include <string>

#include "keystone/Keystone"

namespace Ambry {

// The restore point name for a local time: YYYY-MM-DD-HH-MM-SS.bak, so that names sort in time
// order.
Keystone::String restorePointName(const std::tm& localTime);

// True for a bare file name that may name a restore point: letters, digits, '-', '_' and '.'
// only, containing ".bak", and never "..", so that it can only ever name a file directly inside
// the backup directory.
bool isRestorePointName(const Keystone::String& name);

// What became of a restore. Only kRestored leaves the chosen restore point as the database; in
// every other case the database is as it was, except for kNotRolledBack.
enum class RestoreOutcome {
  kRestored,       // the restore point was replayed whole
  kNotStarted,     // no such restore point, or no server to restore into: nothing was done
  kNoSafetyPoint,  // the database could not be saved first, so nothing was replayed
  kRolledBack,     // the replay failed part-way and the saved database was brought back
  kNotRolledBack,  // the replay failed and bringing the saved database back failed as well
};

// Restores the restore point fileName (a bare name inside the backup directory) all or nothing:
// the database is first saved to a safety restore point, whose name is given in safetyPoint, and
// brought back from it when the replay fails.
RestoreOutcome restoreAllOrNothing(const Keystone::String& fileName, std::string* safetyPoint = nullptr);

}  // namespace Ambry
