// Held page output: descriptor 1 led to an anonymous file and back, the file copied on release.
#include "ambry/framework/HeldOutput.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace Ambry {

namespace {

bool writeAll(int fd, const char* data, ssize_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, data, static_cast<size_t>(size));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

}  // namespace

HeldOutput::HeldOutput() {
  std::fflush(stdout);  // what came before goes to the page now
  mHeld = memfd_create("ambry-held-output", MFD_CLOEXEC);
  if (mHeld < 0) return;
  mPage = fcntl(1, F_DUPFD_CLOEXEC, 3);
  if (mPage >= 0 && dup2(mHeld, 1) == 1) return;
  if (mPage >= 0) close(mPage);
  close(mHeld);
  mPage = mHeld = -1;
}

void HeldOutput::finish(bool keep) {
  if (mPage < 0) return;
  std::fflush(stdout);  // what the buffer still holds was written while held
  dup2(mPage, 1);
  close(mPage);
  mPage = -1;
  char buffer[8192];
  ssize_t count;
  for (off_t at = 0; keep && (count = pread(mHeld, buffer, sizeof buffer, at)) > 0; at += count)
    if (!writeAll(1, buffer, count)) break;
  close(mHeld);
  mHeld = -1;
}

}  // namespace Ambry
