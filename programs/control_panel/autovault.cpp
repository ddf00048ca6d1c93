// autovault: makes restore points on the schedule that the control panel stores, for as long as
// it runs; "--once" makes a due restore point at once and stops.
#include <signal.h>
#include <sys/select.h>

#include <algorithm>
#include <cstring>
#include <ctime>

#include "ambry/db/Backup.h"
#include "programs/control_panel/PanelFiles.h"
#include "programs/control_panel/Runflag.h"
#include "programs/control_panel/Schedule.h"

namespace {

volatile sig_atomic_t stopRequested = 0;

void requestStop(int) {
  stopRequested = 1;
}

// The stop signals stay blocked except while waiting, so that one arriving during a backup
// ends the wait that follows, and none is lost between checking the flag and waiting.
void catchStopSignals(sigset_t& waitMask) {
  struct sigaction action;
  std::memset(&action, 0, sizeof action);
  action.sa_handler = requestStop;
  sigemptyset(&action.sa_mask);
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
    sigaction(sig, &action, nullptr);
    sigaddset(&stopSignals, sig);
  }
  sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
}

// Waits the given seconds, or until a stop signal arrives.
void waitFor(long seconds, const sigset_t& waitMask) {
  timespec timeout{seconds, 0};
  pselect(0, nullptr, nullptr, nullptr, &timeout, &waitMask);
}

// Seconds until the next restore point is due; 0 when it is due now. Read afresh each time, so
// that a schedule saved in the control panel takes effect at once.
long secondsUntilDue(std::time_t now) {
  std::time_t last;
  if (!ControlPanel::readLastBackup(last)) return 0;  // no restore point known yet
  ControlPanel::Schedule schedule;
  ControlPanel::readSchedule(schedule);
  std::time_t next = ControlPanel::nextBackupTime(last, schedule);
  return next > now ? static_cast<long>(next - now) : 0;
}

// Makes a restore point when one is due; false when one was due and could not be made.
bool backUpIfDue() {
  if (secondsUntilDue(std::time(nullptr)) > 0) return true;
  // Marked as automatic, so that the oldest are pruned once there are more than the setting keeps.
  if (Ambry::makeRestorePoint(Ambry::RestorePointKind::kAutomatic) != Ambry::BackupOutcome::kMade) return false;
  return ControlPanel::writeLastBackup(std::time(nullptr));
}

// Checks at least once a minute; a failed backup is tried again a minute later.
void runSchedule(const sigset_t& waitMask) {
  while (!stopRequested) {
    ControlPanel::renewRunflag();
    long wait = backUpIfDue() ? secondsUntilDue(std::time(nullptr)) : 60L;
    if (!stopRequested) waitFor(std::min(60L, std::max(1L, wait)), waitMask);
  }
}

}  // namespace

int main(int argc, char** argv) {
  bool once = argc > 1 && std::strcmp(argv[1], "--once") == 0;
  sigset_t waitMask;
  catchStopSignals(waitMask);
  if (!ControlPanel::takeRunflag()) return 1;  // another copy is running
  bool ok = true;
  if (once)
    ok = backUpIfDue();
  else
    runSchedule(waitMask);
  ControlPanel::releaseRunflag();
  return ok ? 0 : 1;
}
