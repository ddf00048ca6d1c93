// autovault: makes restore points on the schedule that the control panel stores, for as long as
// it runs; "--once" makes a due restore point at once and stops.
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <ctime>

#include "ambry/db/AmbryDB.h"
#include "programs/control_panel/PanelFiles.h"
#include "programs/control_panel/Runflag.h"
#include "programs/control_panel/Schedule.h"

namespace {

volatile sig_atomic_t stopRequested = 0;

void requestStop(int) { stopRequested = 1; }

// Without a restart flag, so that a signal cuts a sleep short.
void catchStopSignals() {
  struct sigaction action;
  std::memset(&action, 0, sizeof action);
  action.sa_handler = requestStop;
  sigemptyset(&action.sa_mask);
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaction(sig, &action, nullptr);
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
  if (!Ambry::AmbryDB::backup()) return false;
  return ControlPanel::writeLastBackup(std::time(nullptr));
}

// Checks at least once a minute; a failed backup is tried again a minute later.
void runSchedule() {
  while (!stopRequested) {
    long wait = backUpIfDue() ? secondsUntilDue(std::time(nullptr)) : 60L;
    wait = std::min(60L, std::max(1L, wait));
    if (!stopRequested) sleep(static_cast<unsigned>(wait));
  }
}

}  // namespace

int main(int argc, char** argv) {
  bool once = argc > 1 && std::strcmp(argv[1], "--once") == 0;
  catchStopSignals();
  if (!ControlPanel::takeRunflag()) return 1;  // another copy is running
  bool ok = true;
  if (once)
    ok = backUpIfDue();
  else
    runSchedule();
  ControlPanel::releaseRunflag();
  return ok ? 0 : 1;
}
