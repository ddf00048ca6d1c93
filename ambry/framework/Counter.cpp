// The visitor counter: read from its file on first use, written back by replacing the file.
#include "ambry/framework/Counter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ambry/framework/Page.h"
#include "ambry/resources/Resources.h"

using Keystone::String;

namespace Ambry {

int Counter::counter = 0;
bool Counter::counterInitYet = false;
// mSingleton is defined with the library's load-time objects, so that it is destroyed (and
// the count written) before standard output is flushed for the last time.

namespace {

String counterPath() {
  return getDataFilePath(getProperty("file_counter"));
}

void writeMessage(const char* key) {
  std::fputs(getResource(key, false).c_str(), stdout);
}

// Writes text to a new file beside path and renames it over path, so that the old count
// stays whole until the new one is complete. Keeps the old file's permissions.
bool replaceFile(const String& path, const char* text) {
  String temporary = path + ".XXXXXX";
  const int fd = mkstemp(&temporary[0]);
  if (fd < 0) return false;
  struct stat old;
  if (stat(path.c_str(), &old) == 0) fchmod(fd, old.st_mode & 07777);
  const size_t length = std::strlen(text);
  bool ok = write(fd, text, length) == static_cast<ssize_t>(length);
  ok = fsync(fd) == 0 && ok;
  ok = close(fd) == 0 && ok;
  ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) unlink(temporary.c_str());
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
  // Leading decimal integer, kept within int; a file without one reads as 0.
  const long value = std::strtol(text, nullptr, 10);
  counter = value > 2147483647L        ? 2147483647
            : value < -2147483647L - 1 ? -2147483647 - 1
                                       : static_cast<int>(value);
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
  counter += amount;
}

void Counter::flush() {
  if (!counterInitYet) {
    writeMessage("err_counterflush_init");
    return;
  }
  if (!replaceFile(counterPath(), String(counter).c_str())) writeMessage("err_counterflush_output_file");
}

}  // namespace Ambry
