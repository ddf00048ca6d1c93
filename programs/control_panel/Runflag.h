// "runflag" in the backup directory: present while autovault runs, holding its process id and host.
#pragma once

namespace ControlPanel {

// True when a running autovault holds the flag: the file exists and either names a live process
// or holds no process id that could be checked. A flag naming a process that is gone was left by
// a copy that died and counts as absent; one naming another host counts while it is renewed.
bool autovaultRunning();

// Makes this process the holder of the flag, taking over one left by a dead copy; false when
// another copy holds it or the flag cannot be written.
bool takeRunflag();

// Marks the flag as still held, for hosts that share the backup folder; the holder calls it at
// least once a minute.
void renewRunflag();

// Removes the flag if this process still holds it.
void releaseRunflag();

}  // namespace ControlPanel
