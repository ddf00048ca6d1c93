// The calendar arithmetic of the backup schedule, in local time.
#include "programs/control_panel/Schedule.h"

namespace ControlPanel {

std::time_t nextBackupTime(std::time_t lastBackup, const Schedule& schedule) {
  long timeOfDay = ((schedule.seconds % 86400L) + 86400L) % 86400L;
  std::tm next{};
  localtime_r(&lastBackup, &next);
  if (schedule.type != SCHEDULE_HOUR) next.tm_hour = static_cast<int>(timeOfDay / 3600);
  next.tm_min = static_cast<int>(timeOfDay % 3600 / 60);
  next.tm_sec = static_cast<int>(timeOfDay % 60);
  switch (schedule.type) {
    case SCHEDULE_HOUR:
      next.tm_hour += 1;
      break;
    case SCHEDULE_WEEK:
      next.tm_mday += 7;
      break;
    case SCHEDULE_MONTH:
      next.tm_mon += 1;
      break;
    case SCHEDULE_YEAR:
      next.tm_year += 1;
      break;
    default:
      next.tm_mday += 1;
      break;
  }
  next.tm_isdst = -1;  // let the calendar decide across a change of summer time
  return std::mktime(&next);
}

}  // namespace ControlPanel
