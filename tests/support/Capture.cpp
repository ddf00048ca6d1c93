// Redirects file descriptor 1 to a temporary file around a call.
#include "tests/support/Capture.h"

#include <unistd.h>

#include <cstdio>
#include <stdexcept>

namespace TestSupport {
std::string captureStdout(const std::function<void()>& fn) {
  std::fflush(stdout);
  FILE* tmp = std::tmpfile();
  if (!tmp) throw std::runtime_error("captureStdout: tmpfile failed");
  int saved = dup(1);
  dup2(fileno(tmp), 1);
  try {
    fn();
  } catch (...) {
    std::fflush(stdout);
    dup2(saved, 1);
    close(saved);
    std::fclose(tmp);
    throw;
  }
  std::fflush(stdout);
  dup2(saved, 1);
  close(saved);
  std::string out;
  std::rewind(tmp);
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, tmp)) > 0) out.append(buf, n);
  std::fclose(tmp);
  return out;
}
}  // namespace TestSupport
