// Listing of the backup directory.
#include "programs/control_panel/RestorePoints.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <utility>

#include "ambry/db/Backup.h"
#include "programs/control_panel/PanelFiles.h"

namespace ControlPanel {

std::vector<std::string> listRestorePoints() {
  std::vector<std::string> names;
  DIR* directory = opendir(backupFilePath("").c_str());
  if (!directory) return names;
  while (dirent* entry = readdir(directory)) {
    // Only what a restore accepts is offered: a regular file with a restore point's name.
    std::string name = entry->d_name;
    struct stat info;
    if (Ambry::isRestorePointName(name.c_str()) && stat(backupFilePath(name).c_str(), &info) == 0 &&
        S_ISREG(info.st_mode))
      names.push_back(name);
  }
  closedir(directory);
  std::sort(names.begin(), names.end());
  return names;
}

std::string newestRestorePoint(const std::vector<std::string>& names) {
  std::string newest;
  for (const std::string& name : names) {
    if (Ambry::restorePointKind(name) == Ambry::RestorePointKind::kSafety) continue;
    // A dated name is newer than any undated one; then the later time, then the later name.
    if (newest.empty() || std::make_pair(Ambry::restorePointTime(name), name) >
                              std::make_pair(Ambry::restorePointTime(newest), newest))
      newest = name;
  }
  return newest;
}

}  // namespace ControlPanel
