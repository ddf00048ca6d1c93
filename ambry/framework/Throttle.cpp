// The password-guess counts: one line "address count window-start" per client address, in a
// file of the site's private folder that every process rewrites under an exclusive lock.
#include "ambry/framework/Throttle.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "ambry/resources/Resources.h"

namespace Ambry {

namespace {

const long kWindowSeconds = 600;

struct Entry {
  std::string address;
  long count;
  long start;
};

std::string clientAddress() {
  const char* remote = std::getenv("REMOTE_ADDR");
  std::string address = remote && *remote ? remote : "-";
  for (char& c : address) {
    if (c == ' ' || c == '\n' || c == '\r' || c == '\t') c = '_';
  }
  return address;
}

long limit() {
  const long value = std::atol(getProperty("throttle_limit").c_str());
  return value < 0 ? 0 : value;
}

// The counts file, open and locked; -1 when it cannot be had (then nothing is counted).
int openLocked() {
  const std::string folder = getProperty("path_private").c_str();
  mkdir(folder.c_str(), 0700);  // made on first use; an existing folder stays as it is
  const int fd = open((folder + "password_guesses.txt").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return -1;
  while (flock(fd, LOCK_EX) != 0) {
    if (errno != EINTR) {
      close(fd);
      return -1;
    }
  }
  return fd;
}

// One line "address count window-start"; false when the line is not one.
bool parseEntry(const std::string& line, Entry& entry) {
  const char* field = line.c_str();
  while (*field == ' ' || *field == '\t') ++field;
  const char* end = field;
  while (*end && *end != ' ' && *end != '\t') ++end;
  if (end == field) return false;
  entry.address.assign(field, end);
  char* after = nullptr;
  errno = 0;
  entry.count = std::strtol(end, &after, 10);
  if (after == end) return false;
  const char* start = after;
  entry.start = std::strtol(start, &after, 10);
  return after != start && errno == 0;
}

// The entries whose window is still open; malformed lines (a crash mid-write) are dropped.
std::vector<Entry> readEntries(int fd, long now) {
  std::string text;
  char block[4096];
  ssize_t n;
  off_t offset = 0;
  while ((n = pread(fd, block, sizeof block, offset)) > 0) {
    text.append(block, static_cast<size_t>(n));
    offset += n;
  }
  std::vector<Entry> entries;
  size_t begin = 0;
  while (begin < text.size()) {
    size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    Entry entry;
    if (parseEntry(text.substr(begin, end - begin), entry) && now - entry.start < kWindowSeconds &&
        entry.start <= now)
      entries.push_back(entry);
    begin = end + 1;
  }
  return entries;
}

void writeEntries(int fd, const std::vector<Entry>& entries) {
  std::string text;
  for (const Entry& entry : entries) {
    if (entry.count > 0)
      text += entry.address + " " + std::to_string(entry.count) + " " + std::to_string(entry.start) + "\n";
  }
  if (pwrite(fd, text.data(), text.size(), 0) == static_cast<ssize_t>(text.size()))
    (void)!ftruncate(fd, static_cast<off_t>(text.size()));
}

// Applies change to this address's entry (made with a count of 0 when missing) under the lock.
template <typename Change>
bool update(Change change) {
  const int fd = openLocked();
  if (fd < 0) return true;
  const long now = static_cast<long>(std::time(nullptr));
  std::vector<Entry> entries = readEntries(fd, now);
  const std::string address = clientAddress();
  Entry* mine = nullptr;
  for (Entry& entry : entries) {
    if (entry.address == address) mine = &entry;
  }
  if (!mine) {
    entries.push_back({address, 0, now});
    mine = &entries.back();
  }
  const bool result = change(*mine);
  writeEntries(fd, entries);
  close(fd);  // also releases the lock
  return result;
}

}  // namespace

bool startPasswordCheck() {
  const long allowed = limit();
  return update([allowed](Entry& entry) {
    if (entry.count > allowed) return false;
    ++entry.count;
    return true;
  });
}

void passwordAccepted() {
  update([](Entry& entry) {
    if (entry.count > 0) --entry.count;
    return true;
  });
}

}  // namespace Ambry
