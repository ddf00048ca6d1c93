// Starting another program: the one way the library and the programs start a process.
#pragma once
#include <sys/types.h>

#include <string>
#include <vector>

namespace Ambry {

// How long a started program may outlive the process that starts it.
enum class ProcessLifetime {
  kTiedToCaller,  // killed when the caller dies first: a tool whose work nobody oversees any more
                  // is not finished (the caller waits for it itself)
  kDetached       // in a session of its own, adopted by init, so that the web server never waits
                  // for it; nobody waits for it
};

// Descriptor argument: the program's standard stream is /dev/null.
constexpr int kNullDevice = -1;

// Starts the program args[0] (a path, relative to the working directory unless absolute) with the
// arguments args, directly (no command interpreter reads a path or name as shell syntax). Its
// standard input, output and error are the descriptors given; it inherits no other descriptor and
// no blocked signal, and the stop and pipe signals act as they do in a fresh process. Returns the new
// process's id (kTiedToCaller) or 0 (kDetached) once the program runs, and -1 when it could not be started
// (no such file, not executable, no process to be had).
pid_t startProcess(const std::vector<std::string>& args, int inFd, int outFd, int errFd,
                   ProcessLifetime lifetime);

}  // namespace Ambry
