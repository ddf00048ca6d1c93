// Detached start: fork, a new session, a second fork so the program is no session leader and is
// adopted by init, then exec; a close-on-exec pipe carries an exec failure back to the caller.
#include "programs/control_panel/ProcessLaunch.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace ControlPanel {

namespace {

// In the program's own process: plain descriptors and signals, then the program itself. Only
// async-signal-safe calls, as the caller may have threads of its own.
[[noreturn]] void becomeProgram(const std::string& program, int reportFd) {
  int report = fcntl(reportFd, F_DUPFD_CLOEXEC, 3);
  int null = open("/dev/null", O_RDWR);
  if (report < 0 || null < 0) _exit(127);
  dup2(null, 0);
  dup2(null, 1);
  dup2(null, 2);
  if (report > 3) close_range(3, report - 1, 0);
  close_range(report + 1, ~0U, 0);
  for (int sig : {SIGPIPE, SIGCHLD, SIGHUP, SIGINT, SIGTERM, SIGQUIT}) signal(sig, SIG_DFL);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
  execv(program.c_str(), argv);
  int error = errno;
  ssize_t ignored = write(report, &error, sizeof error);
  (void)ignored;
  _exit(127);
}

}  // namespace

bool startDetached(const std::string& program) {
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return false;
  pid_t child = fork();
  if (child < 0) {
    close(report[0]);
    close(report[1]);
    return false;
  }
  if (child == 0) {
    if (setsid() < 0) _exit(1);
    pid_t grandchild = fork();
    if (grandchild == 0) becomeProgram(program, report[1]);
    _exit(grandchild < 0 ? 1 : 0);
  }
  close(report[1]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int error = 0;
  ssize_t count;
  while ((count = read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
  }
  close(report[0]);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 && count == 0;
}

}  // namespace ControlPanel
