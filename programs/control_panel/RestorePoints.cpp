// Listing of the backup directory.
#include "programs/control_panel/RestorePoints.h"

#include <dirent.h>

#include <algorithm>

#include "programs/control_panel/PanelFiles.h"

namespace ControlPanel {

std::vector<std::string> listRestorePoints() {
  std::vector<std::string> names;
  DIR* directory = opendir(backupFilePath("").c_str());
  if (!directory) return names;
  while (dirent* entry = readdir(directory)) {
    std::string name = entry->d_name;
    if (name.find(".bak") != std::string::npos) names.push_back(name);
  }
  closedir(directory);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace ControlPanel
