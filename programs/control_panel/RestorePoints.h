// The restore points offered by the control panel.
#pragma once
#include <string>
#include <vector>

namespace ControlPanel {

// Names of the restore points in the backup directory (regular files whose names a restore
// accepts), sorted by name (which is time order); empty when the directory cannot be read.
std::vector<std::string> listRestorePoints();

// The point the restore list opens on: the newest that is not a safety point (by the time in its
// name; without one, the last in the list); empty when every point is a safety point.
std::string newestRestorePoint(const std::vector<std::string>& names);

}  // namespace ControlPanel
