// The run flag of autovault: created atomically with its process id, checked and taken over.
#include "programs/control_panel/Runflag.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "programs/control_panel/PanelFiles.h"

namespace ControlPanel {

namespace {

std::string runflagPath() {
  return backupFilePath("runflag");
}

// The process id written in the flag; false when the flag is missing or holds none.
bool readHolder(bool& exists, long& pid) {
  exists = false;
  std::FILE* file = std::fopen(runflagPath().c_str(), "rb");
  if (!file) return false;
  exists = true;
  char text[32] = {0};
  size_t count = std::fread(text, 1, sizeof text - 1, file);
  std::fclose(file);
  text[count] = '\0';
  char* end = nullptr;
  pid = std::strtol(text, &end, 10);
  return end != text && (*end == '\n' || *end == '\0') && pid > 0;
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
  std::string own = runflagPath() + "." + std::to_string(getpid());
  std::FILE* file = std::fopen(own.c_str(), "wb");
  if (!file) return false;
  bool written = std::fprintf(file, "%ld\n", static_cast<long>(getpid())) > 0;
  written = std::fclose(file) == 0 && written;
  bool linked = written && link(own.c_str(), runflagPath().c_str()) == 0;
  unlink(own.c_str());
  return linked;
}

}  // namespace

bool autovaultRunning() {
  bool exists = false;
  long pid = 0;
  if (!readHolder(exists, pid)) return exists;
  return processAlive(pid);
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
  if (readHolder(exists, pid) && pid == static_cast<long>(getpid())) std::remove(runflagPath().c_str());
}

}  // namespace ControlPanel
