// Starting a program: fork, the new process's descriptors and signals, exec; a close-on-exec pipe
// carries an exec failure back to the caller. A detached start forks twice, with a new session
// between, so that the program is no session leader and is adopted by init.
#include "ambry/framework/ProcessStart.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace Ambry {

namespace {

// A descriptor of the caller's, or /dev/null (also for one the caller has closed), above the
// standard ones, closed on exec.
int childDescriptor(int fd) {
  if (fd != kNullDevice) {
    const int copy = fcntl(fd, F_DUPFD_CLOEXEC, 3);
    if (copy >= 0 || errno != EBADF) return copy;
  }
  const int null = open("/dev/null", O_RDWR | O_CLOEXEC);
  if (null < 0 || null > 2) return null;
  const int moved = fcntl(null, F_DUPFD_CLOEXEC, 3);
  close(null);
  return moved;
}

// In the new process: the given descriptors as 0, 1 and 2 and no other but the report pipe (closed
// on exec), signals as a fresh process has them, then the program. Only async-signal-safe calls,
// as the caller may have threads of its own.
[[noreturn]] void becomeProgram(char* const* argv, int inFd, int outFd, int errFd, int reportFd) {
  const int report = fcntl(reportFd, F_DUPFD_CLOEXEC, 3);
  const int in = childDescriptor(inFd), out = childDescriptor(outFd), err = childDescriptor(errFd);
  if (report < 0 || in < 0 || out < 0 || err < 0) _exit(127);
  if (dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(127);
  if (report > 3) close_range(3, report - 1, 0);
  close_range(report + 1, ~0U, 0);  // the database connection and the page stay with the caller
  for (int sig : {SIGPIPE, SIGCHLD, SIGHUP, SIGINT, SIGTERM, SIGQUIT}) signal(sig, SIG_DFL);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);  // a caller's blocked signals must still stop the program
  execv(argv[0], argv);
  const int error = errno;
  ssize_t ignored = write(report, &error, sizeof error);
  (void)ignored;
  _exit(127);
}

// The started process's own part of a tied start.
[[noreturn]] void tiedChild(pid_t caller, char* const* argv, int inFd, int outFd, int errFd, int reportFd) {
  if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != caller) _exit(127);
  becomeProgram(argv, inFd, outFd, errFd, reportFd);
}

// The first child of a detached start: a session of its own, the program's process, and gone.
[[noreturn]] void detachingChild(char* const* argv, int inFd, int outFd, int errFd, int reportFd) {
  if (setsid() < 0) _exit(1);
  const pid_t grandchild = fork();
  if (grandchild == 0) becomeProgram(argv, inFd, outFd, errFd, reportFd);
  _exit(grandchild < 0 ? 1 : 0);
}

void waitFor(pid_t pid, int* status) {
  while (waitpid(pid, status, 0) < 0 && errno == EINTR) {
  }
}

// True when the report pipe closed without an error: the program runs.
bool programRuns(int reportFd) {
  int error = 0;
  ssize_t count;
  while ((count = read(reportFd, &error, sizeof error)) < 0 && errno == EINTR) {
  }
  return count == 0;
}

}  // namespace

pid_t startProcess(const std::vector<std::string>& args, int inFd, int outFd, int errFd,
                   ProcessLifetime lifetime) {
  if (args.empty()) return -1;
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return -1;
  const pid_t caller = getpid();
  const pid_t child = fork();
  if (child == 0) {
    if (lifetime == ProcessLifetime::kTiedToCaller)
      tiedChild(caller, argv.data(), inFd, outFd, errFd, report[1]);
    detachingChild(argv.data(), inFd, outFd, errFd, report[1]);
  }
  close(report[1]);
  const bool runs = child > 0 && programRuns(report[0]);
  close(report[0]);
  if (child < 0) return -1;
  if (lifetime == ProcessLifetime::kTiedToCaller) {
    if (runs) return child;
    waitFor(child, nullptr);  // collected here: the caller never learns of it
    return -1;
  }
  int status = 0;
  waitFor(child, &status);
  return runs && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : -1;
}

}  // namespace Ambry
