// Restore points: the whole database dumped to a dated file in the backup directory by the dump
// tool, and replayed from one by the client tool.
#include "ambry/db/Backup.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ambry/db/AmbryDB.h"
#include "ambry/db/RuleGuard.h"
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

// The tools learn the account from a private option file rather than their command line, where
// every local user could read the password in the process list.
class ToolAccountFile {
 public:
  ToolAccountFile() = default;
  ~ToolAccountFile() {
    if (!mPath.empty()) unlink(mPath.c_str());
  }
  ToolAccountFile(const ToolAccountFile&) = delete;
  ToolAccountFile& operator=(const ToolAccountFile&) = delete;

  // Writes the file (readable by its owner only); false when that is impossible.
  bool create();
  // The option that must come first on the tool's command line.
  std::string option() const { return "--defaults-file=" + mPath; }

 private:
  std::string mPath;
};

// A value goes into the option file between double quotes; one that holds a quote, a backslash
// or a line break would be read as something else, so such a setting is refused.
bool isPlainOptionValue(const char* value) {
  return std::strpbrk(value, "\"\\\r\n") == nullptr;
}

bool ToolAccountFile::create() {
  // Only this account: the machine's own client configuration may name another server's socket.
  std::string content = "[client]\n";
  const char* keys[] = {"user", "password", "host"};
  const char* properties[] = {"mysql_user", "mysql_password", "mysql_host"};
  for (int i = 0; i < 3; ++i) {
    Keystone::String value = getProperty(properties[i]);
    if (!isPlainOptionValue(value.c_str())) return false;
    content += std::string(keys[i]) + "=\"" + value.c_str() + "\"\n";
  }
  // The library finds a private server through MYSQL_UNIX_PORT; the tools must find the same one.
  if (const char* socket = std::getenv("MYSQL_UNIX_PORT")) {
    if (!isPlainOptionValue(socket)) return false;
    content += std::string("socket=\"") + socket + "\"\n";
  }
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/ambry-account-XXXXXX";
  std::vector<char> path(pattern.begin(), pattern.end());
  path.push_back('\0');
  int fd = mkstemp(path.data());  // created with mode 0600
  if (fd < 0) return false;
  mPath = path.data();
  bool written = write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size());
  return close(fd) == 0 && written;
}

// Runs a tool directly, without a command interpreter, so that no path or name can ever be read
// as shell syntax; standard input and output are the given descriptors. Returns the exit status,
// or -1 when the tool could not be run or did not exit normally.
int runTool(const std::vector<std::string>& args, int inFd, int outFd) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    if (dup2(inFd, 0) < 0 || dup2(outFd, 1) < 0) _exit(127);
    close_range(3, ~0U, 0);  // the database connection and the page stay with the caller
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);  // a caller's blocked signals must still stop the tool
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The dump tool ends a complete dump with its "Dump completed" line; a dump cut short by a lost
// connection or a full disk lacks it.
bool dumpCompleted(int fd) {
  char tail[256];
  off_t size = lseek(fd, 0, SEEK_END);
  off_t start = size > static_cast<off_t>(sizeof tail - 1) ? size - (sizeof tail - 1) : 0;
  ssize_t count = pread(fd, tail, sizeof tail - 1, start);
  if (count <= 0) return false;
  tail[count] = '\0';
  return std::strstr(tail, "\n-- Dump completed") != nullptr;
}

// Dumps the database to a temporary file in the backup directory and gives it its restore point
// name only when the dump is whole, so that a failed dump never looks like a restore point.
bool dumpDatabase(const std::string& directory, const std::string& finalPath) {
  ToolAccountFile account;
  if (!account.create()) return false;
  std::string pattern = directory + "dump-XXXXXX.part";
  std::vector<char> tempPath(pattern.begin(), pattern.end());
  tempPath.push_back('\0');
  int out = mkstemps(tempPath.data(), 5);
  if (out < 0) return false;
  int in = open("/dev/null", O_RDONLY | O_CLOEXEC);
  // One transaction gives a consistent picture while other requests go on writing.
  std::vector<std::string> args = {getProperty("file_mysqldump").c_str(),
                                   account.option(),
                                   "--single-transaction",
                                   "--compress",
                                   "--databases",
                                   getProperty("mysql_dbname").c_str(),
                                   // the rule guard carries a restore's mark; a replay must not rewrite it
                                   "--ignore-table=" + std::string(getProperty("mysql_dbname").c_str()) +
                                       ".ruleguard"};
  bool ok = in >= 0 && runTool(args, in, out) == 0 && dumpCompleted(out) && fsync(out) == 0;
  if (in >= 0) close(in);
  ok = close(out) == 0 && ok;
  ok = ok && std::rename(tempPath.data(), finalPath.c_str()) == 0;
  if (!ok) unlink(tempPath.data());
  return ok;
}

// Replays a restore point through the client tool; the file recreates and selects the database
// itself.
bool replayFile(const std::string& path) {
  ToolAccountFile account;
  if (!account.create()) return false;
  int in = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  int out = open("/dev/null", O_WRONLY | O_CLOEXEC);
  std::vector<std::string> args = {getProperty("file_mysql").c_str(), account.option()};
  bool ok = out >= 0 && runTool(args, in, out) == 0;
  close(in);
  if (out >= 0) close(out);
  return ok;
}

bool isRegularFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

bool AmbryDB::backup() {
  try {
    // One reading of the clock names the file, so date and time never straddle midnight.
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    AmbryDB db;
    db.openConnection();  // the server must answer with this account before a file is made
    std::string directory = getProperty("path_backup").c_str();
    return dumpDatabase(directory, directory + restorePointName(local).c_str());
  } catch (...) {
    return false;
  }
}

namespace {

bool replayRestorePoint(const Keystone::String& fileName) {
  try {
    // Only a restore point directly inside the backup directory may be replayed.
    if (!isRestorePointName(fileName)) return false;
    std::string path = std::string(getProperty("path_backup").c_str()) + fileName.c_str();
    if (!isRegularFile(path)) return false;
    AmbryDB db;
    db.openConnection();
    return replayFile(path);
  } catch (...) {
    return false;
  }
}

}  // namespace

bool AmbryDB::restore(const Keystone::String& fileName) {
  try {
    // No change runs while the database is being replaced: changes that start meanwhile wait
    // for the mark to go, and one restore at a time replays.
    RestoreMark mark;
    return mark.entered() && replayRestorePoint(fileName);
  } catch (...) {
    return false;
  }
}

}  // namespace Ambry
