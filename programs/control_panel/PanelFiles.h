// The small files that the control panel and autovault share in the backup directory.
#pragma once
#include <cstdint>
#include <ctime>
#include <string>

namespace ControlPanel {

// The automatic backup schedule: an index of scheduleTypeNames and a time of day in seconds
// since midnight. Without a stored schedule: every day at 00:00:00.
struct Schedule {
  std::int32_t type = 1;
  std::int32_t seconds = 0;
};

// Path of a file in the backup directory.
std::string backupFilePath(const std::string& name);

// "settings.dat": false, leaving schedule unchanged, when it cannot be read whole.
bool readSchedule(Schedule& schedule);
// Replaces "settings.dat" whole; values are stored as given.
bool writeSchedule(const Schedule& schedule);

// "lastbackup.dat": the time the last backup finished; false when there is none.
bool readLastBackup(std::time_t& when);
bool writeLastBackup(std::time_t when);

}  // namespace ControlPanel
