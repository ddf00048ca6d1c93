// The staff programs by name, from the list the build compiles in.
#include "ambry/framework/StaffPrograms.h"

#include <errno.h>
#include <unistd.h>

#include <cstring>
#include <string>

namespace Ambry {

namespace {

const char* const kStaffPrograms[] = {
#include "StaffProgramList.inc"
};

// The last part of a path, without a final ".exe".
std::string programName(const std::string& path) {
  std::string name = path.substr(path.rfind('/') + 1);
  const std::string suffix = ".exe";
  if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
    name.erase(name.size() - suffix.size());
  return name;
}

bool listed(const std::string& name) {
  for (const char* staff : kStaffPrograms)
    if (name == staff) return true;
  return false;
}

std::string executablePath() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  return length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string();
}

}  // namespace

bool isStaffProgram(const Keystone::String& name) {
  return listed(programName(name.c_str()));
}

Keystone::String runningStaffProgram() {
  // Either name will do: the file the web server started, or the name a caller gave it.
  for (const std::string& name : {programName(executablePath()), programName(program_invocation_name)})
    if (listed(name)) return Keystone::String(name.c_str());
  return Keystone::String();
}

}  // namespace Ambry
