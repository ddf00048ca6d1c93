// The run flag of autovault: created atomically with its process id and host, checked and taken
// over. Web hosts that share the backup folder share the flag, so the group runs one autovault.
#include "programs/control_panel/Runflag.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "programs/control_panel/PanelFiles.h"

namespace ControlPanel {

namespace {

// A holder on another host cannot be asked whether it lives; it renews the flag every minute, and a
// flag left unrenewed this long was left by a copy that died.
const long kForeignFlagSeconds = 300;

std::string hostName() {
  char name[256] = "";
  if (gethostname(name, sizeof name - 1) != 0) return "";
  return name;
}

std::string runflagPath() {
  return backupFilePath("runflag");
}

// The process id written in the flag, and the host it runs on (empty in a flag that names none);
// false when the flag is missing or holds no process id.
bool readHolder(bool& exists, long& pid, std::string& host) {
  exists = false;
  host.clear();
  std::FILE* file = std::fopen(runflagPath().c_str(), "rb");
  if (!file) return false;
  exists = true;
  char text[320] = {0};
  size_t count = std::fread(text, 1, sizeof text - 1, file);
  std::fclose(file);
  text[count] = '\0';
  char* end = nullptr;
  pid = std::strtol(text, &end, 10);
  if (end == text || (*end != '\n' && *end != '\0') || pid <= 0) return false;
  if (*end == '\n') host.assign(end + 1, std::strcspn(end + 1, "\n"));
  return true;
}

// A copy that was killed stays a zombie until its parent (init, as it runs detached) collects it;
// it still answers kill(pid, 0) but runs no more, so it holds nothing.
bool isZombie(long pid) {
  std::FILE* file = std::fopen(("/proc/" + std::to_string(pid) + "/stat").c_str(), "r");
  if (!file) return false;
  char text[512] = {0};
  size_t count = std::fread(text, 1, sizeof text - 1, file);
  std::fclose(file);
  text[count] = '\0';
  const char* nameEnd = std::strrchr(text, ')');  // the state follows the name in parentheses
  return nameEnd && nameEnd[1] == ' ' && nameEnd[2] == 'Z';
}

bool processAlive(long pid) {
  bool exists = kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
  return exists && !isZombie(pid);
}

// Writes the id to a file of its own, then links it in as the flag: the flag appears with its
// content, and only one of two copies starting together gets it.
bool createRunflag() {
  std::string own = runflagPath() + "." + hostName() + "." + std::to_string(getpid());
  std::FILE* file = std::fopen(own.c_str(), "wb");
  if (!file) return false;
  bool written = std::fprintf(file, "%ld\n%s\n", static_cast<long>(getpid()), hostName().c_str()) > 0;
  written = std::fclose(file) == 0 && written;
  bool linked = written && link(own.c_str(), runflagPath().c_str()) == 0;
  unlink(own.c_str());
  return linked;
}

}  // namespace

bool autovaultRunning() {
  bool exists = false;
  long pid = 0;
  std::string host;
  if (!readHolder(exists, pid, host)) return exists;
  if (host.empty() || host == hostName()) return processAlive(pid);
  struct stat info;
  return stat(runflagPath().c_str(), &info) != 0 || std::time(nullptr) - info.st_mtime < kForeignFlagSeconds;
}

void renewRunflag() {
  utime(runflagPath().c_str(), nullptr);
}

bool takeRunflag() {
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (createRunflag()) return true;
    if (autovaultRunning()) return false;
    std::remove(runflagPath().c_str());  // left by a copy that died
  }
  return false;
}

void releaseRunflag() {
  bool exists = false;
  long pid = 0;
  std::string host;
  if (readHolder(exists, pid, host) && pid == static_cast<long>(getpid()) && (host.empty() || host == hostName()))
    std::remove(runflagPath().c_str());
}

}  // namespace ControlPanel
