// The visitor counter: read from its file on first use; what was counted is added to the file
// under a lock.
#include "ambry/framework/Counter.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <string>

#include "ambry/framework/Page.h"
#include "ambry/resources/Resources.h"

using Keystone::String;

namespace Ambry {

int Counter::counter = 0;
bool Counter::counterInitYet = false;
// mSingleton is defined with the library's load-time objects, so that it is destroyed (and
// the count written) before standard output is flushed for the last time.

namespace {

// The file the count was read from, kept for the write at unload: by then the settings table may
// already be gone (a table changed by AMBRY_ settings is destroyed like any object). A plain
// pointer, so that nothing needs destroying.
const char* gReadPath = nullptr;

String counterPath() {
  if (gReadPath) return gReadPath;
  return getDataFilePath(getProperty("file_counter"));
}

void writeMessage(const char* key) {
  std::fputs(getResource(key, false).c_str(), stdout);
}

// The count as last read from or written to the file: flush adds what was counted since.
int gFileCount = 0;

int clampToInt(long long value) {
  return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
}

// Leading decimal integer, kept within int; a text without one reads as 0.
int parseCount(const char* text) {
  return clampToInt(std::strtoll(text, nullptr, 10));
}

// Adds `added` to the count in the file under an exclusive lock, so that simultaneous visits
// all count. The file is rewritten in place: the folder need not be writable, and as the count
// only grows, the new digits always cover the old ones, so a crash leaves the old count or the
// new one. Sets total to the count now in the file.
bool addToFile(const String& path, long long added, int& total) {
  const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = true;
  while (flock(fd, LOCK_EX) != 0) {
    if (errno != EINTR) {
      ok = false;
      break;
    }
  }
  char text[256] = {};
  const ssize_t n = ok ? pread(fd, text, sizeof text - 1, 0) : -1;
  ok = n >= 0;
  if (ok) {
    total = clampToInt(parseCount(text) + added);
    const std::string digits = std::to_string(total);
    ok = pwrite(fd, digits.data(), digits.size(), 0) == static_cast<ssize_t>(digits.size());
    ok = ok && ftruncate(fd, static_cast<off_t>(digits.size())) == 0;
    ok = ok && fsync(fd) == 0;
  }
  close(fd);  // also releases the lock
  return ok;
}

}  // namespace

Counter::~Counter() {
  if (counterInitYet) flush();
}

void Counter::init() {
  FILE* file = std::fopen(counterPath().c_str(), "r");
  if (!file) {
    writeMessage("err_counter_init");
    return;
  }
  char text[256] = {};
  const size_t n = std::fread(text, 1, 255, file);
  text[n] = '\0';
  std::fclose(file);
  counter = parseCount(text);
  gFileCount = counter;
  if (!gReadPath) gReadPath = strdup(counterPath().c_str());
  counterInitYet = true;
}

int Counter::get() {
  if (!counterInitYet) init();
  if (!counterInitYet) {
    writeMessage("err_getcounter");
    return 0;
  }
  return counter;
}

void Counter::inc(const int& amount) {
  if (!counterInitYet) init();
  if (!counterInitYet) {
    String message = getResource("err_inccounter", false);
    message.replace("%d", String(amount));
    std::fputs(message.c_str(), stdout);
    return;
  }
  counter = clampToInt(static_cast<long long>(counter) + amount);  // the largest count stays
}

void Counter::flush() {
  if (!counterInitYet) {
    writeMessage("err_counterflush_init");
    return;
  }
  int total = counter;
  if (!addToFile(counterPath(), static_cast<long long>(counter) - gFileCount, total)) {
    writeMessage("err_counterflush_output_file");
    return;
  }
  counter = total;
  gFileCount = total;
}

}  // namespace Ambry
