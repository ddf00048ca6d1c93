// Restore point names and kinds, the pruning of automatic and safety points, and the room a dump
// needs.
#include "ambry/db/RestorePoints.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "ambry/resources/Resources.h"

namespace Ambry {

Keystone::String restorePointName(const std::tm& localTime) {
  char name[64];
  std::snprintf(name, sizeof name, "%04d-%02d-%02d-%02d-%02d-%02d.bak", localTime.tm_year + 1900,
                localTime.tm_mon + 1, localTime.tm_mday, localTime.tm_hour, localTime.tm_min,
                localTime.tm_sec);
  return Keystone::String(name);
}

bool isRestorePointName(const Keystone::String& name) {
  if (name.length() == 0 || name.length() > 255) return false;
  for (int i = 0; i < name.length(); ++i) {
    char c = name[i];
    bool allowed = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                   c == '_' || c == '.';
    if (!allowed) return false;
  }
  return name.find(".bak", 0) >= 0 && name.find("..", 0) < 0;
}

namespace {

// YYYY-MM-DD-HH-MM-SS, the time every name made here begins with.
const size_t kStampLength = 19;
const char* const kAutomaticMark = "-auto";
const char* const kSafetyMark = "-safety";
const char* const kEarlierSafetyMark = "-before-restore";

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool startsWithStamp(const std::string& name) {
  if (name.size() <= kStampLength) return false;
  for (size_t i = 0; i < kStampLength; ++i) {
    const bool dash = i >= 4 && (i - 4) % 3 == 0;  // after the year, then after every two digits
    if (dash ? name[i] != '-' : !isDigit(name[i])) return false;
  }
  return true;
}

// The number of a name that ends in mark + ".bak" (1) or mark + "-N.bak" (N) after its time; 0
// when it ends otherwise.
long markNumber(const std::string& name, const char* mark) {
  if (!startsWithStamp(name)) return 0;
  const std::string rest = name.substr(kStampLength);
  const std::string head = mark;
  if (rest == head + ".bak") return 1;
  if (rest.compare(0, head.size() + 1, head + "-") != 0 || rest.size() < head.size() + 6) return 0;
  const std::string number = rest.substr(head.size() + 1, rest.size() - head.size() - 5);
  if (rest.compare(rest.size() - 4, 4, ".bak") != 0 || number.size() > 9 ||
      !std::all_of(number.begin(), number.end(), isDigit))
    return 0;
  return std::atol(number.c_str());
}

const char* markOf(RestorePointKind kind) {
  return kind == RestorePointKind::kAutomatic ? kAutomaticMark : kSafetyMark;
}

bool isRegular(const std::string& path, struct stat& info) {
  return lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

std::string restorePointTime(const std::string& name) {
  return startsWithStamp(name) ? name.substr(0, kStampLength) : "";
}

RestorePointKind restorePointKind(const std::string& name) {
  if (markNumber(name, kAutomaticMark) > 0) return RestorePointKind::kAutomatic;
  if (markNumber(name, kSafetyMark) > 0 || markNumber(name, kEarlierSafetyMark) > 0)
    return RestorePointKind::kSafety;
  return RestorePointKind::kByHand;
}

bool isPrunable(const std::string& name, RestorePointKind kind) {
  return kind != RestorePointKind::kByHand && markNumber(name, markOf(kind)) > 0;
}

std::string newRestorePointName(const std::string& directory, RestorePointKind kind, const std::tm& localTime) {
  std::string name = restorePointName(localTime).c_str();
  if (kind == RestorePointKind::kByHand) return name;
  const std::string stem = name.substr(0, kStampLength) + markOf(kind);
  name = stem + ".bak";
  struct stat info;
  for (int n = 2; lstat((directory + name).c_str(), &info) == 0; ++n) name = stem + "-" + std::to_string(n) + ".bak";
  return name;
}

void pruneRestorePoints(const std::string& directory, RestorePointKind kind) {
  if (kind == RestorePointKind::kByHand) return;
  const char* setting = kind == RestorePointKind::kAutomatic ? "keep_automatic_points" : "keep_safety_points";
  const long keep = std::max(1L, std::atol(getProperty(setting).c_str()));
  DIR* folder = opendir(directory.c_str());
  if (!folder) return;
  // Newest first: by the time in the name, then by the number that tells apart points of one second.
  std::vector<std::pair<std::string, std::string>> points;
  while (const dirent* entry = readdir(folder)) {
    const std::string name = entry->d_name;
    struct stat info;
    if (!isPrunable(name, kind) || !isRegular(directory + name, info)) continue;
    char number[16];
    std::snprintf(number, sizeof number, "%09ld", markNumber(name, markOf(kind)));
    points.emplace_back(name.substr(0, kStampLength) + number, name);
  }
  closedir(folder);
  std::sort(points.begin(), points.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  for (size_t i = static_cast<size_t>(keep); i < points.size(); ++i) unlink((directory + points[i].second).c_str());
}

bool roomForAnotherDump(const std::string& directory) {
  DIR* folder = opendir(directory.c_str());
  if (!folder) return true;  // the dump itself will fail and say so
  off_t lastSize = 0;
  std::time_t lastTime = 0;
  while (const dirent* entry = readdir(folder)) {
    struct stat info;
    if (isRestorePointName(entry->d_name) && isRegular(directory + entry->d_name, info) &&
        info.st_mtime >= lastTime) {
      lastTime = info.st_mtime;
      lastSize = info.st_size;
    }
  }
  closedir(folder);
  struct statvfs space;
  if (lastSize == 0 || statvfs(directory.empty() ? "." : directory.c_str(), &space) != 0) return true;
  return static_cast<unsigned long long>(space.f_bavail) * space.f_frsize >=
         static_cast<unsigned long long>(lastSize);
}

}  // namespace Ambry
