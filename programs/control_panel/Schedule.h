// When autovault makes its next restore point.
#pragma once
#include <ctime>

#include "programs/control_panel/PanelFiles.h"

namespace ControlPanel {

// Schedule types by their stored index.
enum ScheduleType { SCHEDULE_HOUR = 0, SCHEDULE_DAY, SCHEDULE_WEEK, SCHEDULE_MONTH, SCHEDULE_YEAR };

// The first backup time after the last backup: one period (hour, day, week, month or year) on
// from it, at the schedule's time of day (for hours, at its minute and second). A type outside
// the five counts as daily, and a time of day outside one day is taken modulo a day.
std::time_t nextBackupTime(std::time_t lastBackup, const Schedule& schedule);

}  // namespace ControlPanel
