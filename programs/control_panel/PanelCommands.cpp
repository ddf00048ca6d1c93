// Back up now, restore a chosen restore point, launch autovault and save its schedule.
#include "programs/control_panel/PanelCommands.h"

#include <cstdlib>
#include <ctime>

#include "ambry/db/Backup.h"
#include "ambry/framework/ProcessStart.h"
#include "programs/control_panel/PanelFiles.h"
#include "programs/control_panel/Runflag.h"

namespace ControlPanel {

namespace {

int postedNumber(const Ambry::QueryMap& posted, const char* name) {
  return std::atoi(posted.get(name, "").c_str());
}

void backUpNow() {
  switch (Ambry::makeRestorePoint(Ambry::RestorePointKind::kByHand)) {
    case Ambry::BackupOutcome::kMade:
      writeLastBackup(std::time(nullptr));  // autovault counts its next backup from here
      return Ambry::popupMessage("msg_backup_successful", false);
    case Ambry::BackupOutcome::kNoRoom:
      return Ambry::popupMessage("err_backup_no_room", false);
    default:
      return Ambry::popupMessage("err_fatal", false);
  }
}

// A restore is all or nothing; the pop-up tells staff which it was, and where the database as it
// was before is kept when it could not be brought back by itself.
void restoreChosen(const Ambry::QueryMap& posted) {
  std::string safetyPoint;
  switch (Ambry::restoreAllOrNothing(posted.get("restore_file", ""), &safetyPoint)) {
    case Ambry::RestoreOutcome::kRestored:
      return Ambry::popupMessage("msg_restore_successful", false);
    case Ambry::RestoreOutcome::kNoSafetyPoint:
      return Ambry::popupMessage("err_restore_not_started", false);
    case Ambry::RestoreOutcome::kRolledBack:
      return Ambry::popupMessage("err_restore_rolled_back", false);
    case Ambry::RestoreOutcome::kNotRolledBack:
      return Ambry::popupMessage(
          Ambry::getResource("err_restore_not_rolled_back", false).replace("%s", safetyPoint.c_str()), true);
    default:
      return Ambry::popupMessage("err_fatal", false);
  }
}

void launchAutovault() {
  if (autovaultRunning()) {
    Ambry::popupMessage("msg_already_running", false);
    return;
  }
  // Nothing of the request's: autovault runs on after the page is done.
  const bool started =
      Ambry::startProcess({Ambry::getProperty("file_autovault").c_str()}, Ambry::kNullDevice,
                          Ambry::kNullDevice, Ambry::kNullDevice, Ambry::ProcessLifetime::kDetached) == 0;
  Ambry::popupMessage(started ? "msg_activate_successful" : "err_fatal", false);
}

// The values are stored as posted; autovault decides what it makes of unusual ones.
void saveSchedule(const Ambry::QueryMap& posted) {
  Schedule schedule;
  schedule.type = postedNumber(posted, "schedule_type");
  // Summed wide, so that absurd values wrap like the stored integer instead of overflowing.
  long long seconds = postedNumber(posted, "tod_hour") * 3600LL + postedNumber(posted, "tod_min") * 60LL +
                      postedNumber(posted, "tod_sec");
  schedule.seconds = static_cast<std::int32_t>(seconds);
  bool saved = writeSchedule(schedule);
  Ambry::popupMessage(saved ? "msg_settings_update_successful" : "err_fatal", false);
}

}  // namespace

void runPanelCommand(int command, const Ambry::QueryMap& posted) {
  switch (command) {
    case Ambry::CMD_BACKUP:
      backUpNow();
      break;
    case Ambry::CMD_RESTORE:
      restoreChosen(posted);
      break;
    case Ambry::CMD_LAUNCH:
      launchAutovault();
      break;
    case Ambry::CMD_SCHEDULE:
      saveSchedule(posted);
      break;
    default:
      break;
  }
}

}  // namespace ControlPanel
