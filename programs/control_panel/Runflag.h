// "runflag" in the backup directory: present while autovault runs, holding its process id.
#pragma once

namespace ControlPanel {

// True when a running autovault holds the flag: the file exists and either names a live process
// or holds no process id that could be checked. A flag naming a process that is gone was left by
// a copy that died and counts as absent.
bool autovaultRunning();

// Makes this process the holder of the flag, taking over one left by a dead copy; false when
// another copy holds it or the flag cannot be written.
bool takeRunflag();

// Removes the flag if this process still holds it.
void releaseRunflag();

}  // namespace ControlPanel
