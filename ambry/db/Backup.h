// The pieces of backup and restore that stand on their own: restore point names and their check.
#pragma once
#include <ctime>

#include "keystone/Keystone"

namespace Ambry {

// The restore point name for a local time: YYYY-MM-DD-HH-MM-SS.bak, so that names sort in time
// order.
Keystone::String restorePointName(const std::tm& localTime);

// True for a bare file name that may name a restore point: letters, digits, '-', '_' and '.'
// only, containing ".bak", and never "..", so that it can only ever name a file directly inside
// the backup directory.
bool isRestorePointName(const Keystone::String& name);

}  // namespace Ambry
