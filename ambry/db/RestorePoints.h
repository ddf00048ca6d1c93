// Restore points in the backup directory: their names, their kinds (made by hand, by autovault,
// or as a safety point before the whole database is replaced), pruning and the room they need.
#pragma once
#include <ctime>
#include <string>

#include "keystone/Keystone"

namespace Ambry {

// The restore point name for a local time: YYYY-MM-DD-HH-MM-SS.bak, so that names sort in time
// order. A restore point made by hand is named so.
Keystone::String restorePointName(const std::tm& localTime);

// True for a bare file name that may name a restore point: letters, digits, '-', '_' and '.'
// only, containing ".bak", and never "..", so that it can only ever name a file directly inside
// the backup directory.
bool isRestorePointName(const Keystone::String& name);

enum class RestorePointKind {
  kByHand,     // the control panel's backup, and any file copied in: never pruned
  kAutomatic,  // made by autovault on its schedule
  kSafety,     // the database as it was just before a restore or another change of the whole
};

// The kind a name shows. Automatic and safety points carry it after the time ("-auto", "-safety");
// a "-before-restore" point of earlier versions is a safety point too, and an automatic point of
// earlier versions looks like one made by hand.
RestorePointKind restorePointKind(const std::string& name);

// The time a name made here begins with (YYYY-MM-DD-HH-MM-SS), which orders restore points of
// every kind; empty for a name that does not begin with one.
std::string restorePointTime(const std::string& name);

// True for an automatic or safety point named by this version, the only ones ever pruned.
bool isPrunable(const std::string& name, RestorePointKind kind);

// A name of the kind for the local time that no entry of the directory has yet: the time, the
// kind's mark and, where needed, "-2", "-3" ... The name for kByHand is restorePointName's.
std::string newRestorePointName(const std::string& directory, RestorePointKind kind, const std::tm& localTime);

// Removes all but the newest automatic or safety points of this kind named by this version, as
// many as the setting keep_automatic_points or keep_safety_points says (at least one). Called once
// a new one is complete; other kinds are never touched.
void pruneRestorePoints(const std::string& directory, RestorePointKind kind);

// False when the directory's free space is less than the size of the last restore point made
// there, so that a dump which cannot be held is not begun.
bool roomForAnotherDump(const std::string& directory);

}  // namespace Ambry
