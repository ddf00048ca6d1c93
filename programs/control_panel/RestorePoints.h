// The restore points offered by the control panel.
#pragma once
#include <string>
#include <vector>

namespace ControlPanel {

// Names of the restore points in the backup directory (regular files whose names a restore
// accepts), sorted by name (which is time order); empty when the directory cannot be read.
std::vector<std::string> listRestorePoints();

}  // namespace ControlPanel
