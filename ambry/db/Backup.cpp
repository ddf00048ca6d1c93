// Restore points: the whole database dumped to a dated file in the backup directory by the dump
// tool, and replayed from one by the client tool, all or nothing.
#include "ambry/db/Backup.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "ambry/db/AmbryDB.h"
#include "ambry/db/RuleGuard.h"
#include "ambry/escape/Escape.h"
#include "ambry/framework/ProcessStart.h"
#include "ambry/resources/Resources.h"

namespace Ambry {

namespace {

// Tables of live state that restore points leave out, so that a replay never rewrites them: the
// rule guard carries a restore's mark and the record of a replay under way; a replay must neither
// reopen ended staff sessions nor forgive counted password guesses.
const char* const kLiveStateTables[] = {"ruleguard", "staffsession", "passwordguess"};

// The tools learn the account from a private option file rather than their command line, where
// every local user could read the password in the process list.
class ToolAccountFile {
 public:
  ToolAccountFile() = default;
  ~ToolAccountFile() {
    if (!mPath.empty()) unlink(mPath.c_str());
    if (mFd >= 0) close(mFd);
  }
  ToolAccountFile(const ToolAccountFile&) = delete;
  ToolAccountFile& operator=(const ToolAccountFile&) = delete;

  // Writes the file (readable by its owner only); false when that is impossible.
  bool create();
  // The option that must come first on the tool's command line.
  std::string option() const { return "--defaults-file=" + mPath; }

 private:
  std::string mPath;
  int mFd = -1;  // kept open, and so locked, while the tools may read the file
};


// Removes the files of runs that were killed on the way: files in directory whose names start
// with prefix and end with suffix, that no running process holds locked and that are more than a
// minute old (a file just made is locked straight away, but not in the same instant).
void removeStaleFiles(const std::string& directory, const std::string& prefix, const std::string& suffix) {
  DIR* folder = opendir(directory.c_str());
  if (!folder) return;
  const std::time_t now = std::time(nullptr);
  while (const dirent* entry = readdir(folder)) {
    const std::string name = entry->d_name;
    if (name.size() < prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
      continue;
    const std::string path = directory + name;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) continue;
    struct stat info;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && now - info.st_mtime > 60 &&
        flock(fd, LOCK_EX | LOCK_NB) == 0)
      unlink(path.c_str());
    close(fd);
  }
  closedir(folder);
}

// A new file from pattern (mkstemps, suffixLength), locked for as long as it is open so that
// removeStaleFiles leaves it alone; -1 on failure.
int createLockedFile(std::vector<char>& path, int suffixLength) {
  const int fd = mkstemps(path.data(), suffixLength);  // created with mode 0600
  if (fd < 0) return -1;
  fcntl(fd, F_SETFD, FD_CLOEXEC);
  flock(fd, LOCK_EX);
  return fd;
}

std::vector<char> pathPattern(const std::string& pattern) {
  std::vector<char> path(pattern.begin(), pattern.end());
  path.push_back('\0');
  return path;
}

bool ToolAccountFile::create() {
  // Only this account: the machine's own client configuration may name another server's socket.
  std::string content = "[client]\n";
  const char* keys[] = {"user", "password", "host"};
  const char* properties[] = {"mysql_user", "mysql_password", "mysql_host"};
  for (int i = 0; i < 3; ++i)
    content += std::string(keys[i]) + "=" + escapeOptionValue(getProperty(properties[i])).c_str() + "\n";
  // The library finds a private server through MYSQL_UNIX_PORT; the tools must find the same one.
  if (const char* socket = std::getenv("MYSQL_UNIX_PORT"))
    content += std::string("socket=") + escapeOptionValue(socket).c_str() + "\n";
  // The site's private folder, not the shared temporary one: the file holds the password.
  const std::string folder = getProperty("path_private").c_str();
  mkdir(folder.c_str(), 0700);
  removeStaleFiles(folder, "tool-account-", ".cnf");
  std::vector<char> path = pathPattern(folder + "tool-account-XXXXXX.cnf");
  mFd = createLockedFile(path, 4);
  if (mFd < 0) return false;
  mPath = path.data();
  return write(mFd, content.data(), content.size()) == static_cast<ssize_t>(content.size());
}

// What a restore does while it waits on its tool: renew its mark on the guard. Empty for a backup.
using WhileWaiting = std::function<void()>;

// Runs a tool (startProcess: directly, killed when the caller dies first) with the given
// descriptors as its standard input and output. While it runs, whileWaiting is called every
// twentieth of a second. Returns the exit status, or -1 when the tool could not be run or did not
// exit normally.
int runTool(const std::vector<std::string>& args, int inFd, int outFd, const WhileWaiting& whileWaiting) {
  const pid_t pid = startProcess(args, inFd, outFd, STDERR_FILENO, ProcessLifetime::kTiedToCaller);
  if (pid < 0) return -1;
  int status = 0;
  for (;;) {
    const pid_t ended = waitpid(pid, &status, whileWaiting ? WNOHANG : 0);
    if (ended == pid) break;
    if (ended < 0 && errno != EINTR) return -1;
    if (ended == 0) {
      whileWaiting();
      usleep(50 * 1000);
    }
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
bool dumpDatabase(const std::string& directory, const std::string& finalPath, const WhileWaiting& whileWaiting) {
  ToolAccountFile account;
  if (!account.create()) return false;
  removeStaleFiles(directory, "dump-", ".part");
  std::vector<char> tempPath = pathPattern(directory + "dump-XXXXXX.part");
  int out = createLockedFile(tempPath, 5);
  if (out < 0) return false;
  int in = open("/dev/null", O_RDONLY | O_CLOEXEC);
  // One transaction gives a consistent picture while other requests go on writing.
  const std::string database = getProperty("mysql_dbname").c_str();
  std::vector<std::string> args = {getProperty("file_mysqldump").c_str(), account.option(), "--single-transaction",
                                   "--compress", "--databases", database};
  for (const char* table : kLiveStateTables) args.push_back("--ignore-table=" + database + "." + table);
  bool ok = in >= 0 && runTool(args, in, out, whileWaiting) == 0 && dumpCompleted(out) && fsync(out) == 0;
  if (in >= 0) close(in);
  ok = close(out) == 0 && ok;
  ok = ok && std::rename(tempPath.data(), finalPath.c_str()) == 0;
  if (!ok) unlink(tempPath.data());
  return ok;
}

// Replays a restore point through the client tool; the file recreates and selects the database
// itself.
bool replayFile(const std::string& path, const WhileWaiting& whileWaiting) {
  ToolAccountFile account;
  if (!account.create()) return false;
  int in = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  int out = open("/dev/null", O_WRONLY | O_CLOEXEC);
  std::vector<std::string> args = {getProperty("file_mysql").c_str(), account.option()};
  // One that stops with its page is rolled back from its record on the guard.
  bool ok = out >= 0 && runTool(args, in, out, whileWaiting) == 0;
  close(in);
  if (out >= 0) close(out);
  return ok;
}

bool isRegularFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// Makes a renamed file's new name durable: a restore point that was reported made must survive a
// power cut.
bool syncDirectory(const std::string& directory) {
  int fd = open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = fsync(fd) == 0;
  return close(fd) == 0 && ok;
}

// A whole dump under a new name of its kind, recorded in the directory for good; the older points
// of its kind are pruned once it is.
BackupOutcome dumpRestorePoint(const std::string& directory, RestorePointKind kind, const std::tm& localTime,
                               std::string& name, const WhileWaiting& whileWaiting = WhileWaiting()) {
  if (!roomForAnotherDump(directory)) return BackupOutcome::kNoRoom;
  name = newRestorePointName(directory, kind, localTime);
  if (!dumpDatabase(directory, directory + name, whileWaiting) || !syncDirectory(directory))
    return BackupOutcome::kFailed;
  pruneRestorePoints(directory, kind);
  return BackupOutcome::kMade;
}

std::tm localNow() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

// A replay that throws has failed like one whose tool failed: the database may be half replayed.
bool replayed(const std::string& path, RestoreMark& mark) {
  try {
    return replayFile(path, [&mark] { mark.renew(); });
  } catch (...) {
    return false;
  }
}

// The database is saved before the replay and brought back when the replay fails part-way, so a
// restore never leaves it half old, half new. The replay is recorded while it runs: when a crash
// ends it, the next change or restore brings the saved database back first.
RestoreOutcome replayAllOrNothing(RestoreMark& mark, const std::string& directory, const std::string& path,
                                  std::string& safetyPoint) {
  // A restore that a crash interrupted left the database part replaced; its safety point holds the
  // database as it was, and serves this restore too.
  safetyPoint = mark.interruptedReplay();
  if (safetyPoint.empty()) {
    BackupOutcome saved = BackupOutcome::kFailed;
    try {
      saved = dumpRestorePoint(directory, RestorePointKind::kSafety, localNow(), safetyPoint,
                               [&mark] { mark.renew(); });
    } catch (...) {
    }
    if (saved != BackupOutcome::kMade) return RestoreOutcome::kNoSafetyPoint;
    if (!mark.recordReplay(safetyPoint)) return RestoreOutcome::kNotStarted;
  }
  if (replayed(path, mark) && mark.clearReplay()) return RestoreOutcome::kRestored;
  if (replayed(directory + safetyPoint, mark) && mark.clearReplay()) return RestoreOutcome::kRolledBack;
  return RestoreOutcome::kNotRolledBack;
}

}  // namespace

RestoreOutcome restoreAllOrNothing(const Keystone::String& fileName, std::string* safetyPoint) {
  std::string saved;
  RestoreOutcome outcome = RestoreOutcome::kNotStarted;
  try {
    // Only a restore point directly inside the backup directory may be replayed.
    std::string directory = getProperty("path_backup").c_str();
    if (isRestorePointName(fileName) && isRegularFile(directory + fileName.c_str())) {
      AmbryDB db;
      db.openConnection();  // the server must answer before anything is saved or replayed
      // No change runs while the database is being replaced: changes that start meanwhile wait
      // for the mark to go, and one restore at a time replays.
      RestoreMark mark;
      if (mark.entered()) outcome = replayAllOrNothing(mark, directory, directory + fileName.c_str(), saved);
    }
  } catch (...) {
  }
  if (safetyPoint) *safetyPoint = saved;
  return outcome;
}

bool rollBackInterruptedRestore() {
  try {
    RestoreMark mark;
    if (!mark.entered()) return false;
    const std::string safetyPoint = mark.interruptedReplay();
    if (safetyPoint.empty()) return true;  // brought back meanwhile by another process
    const std::string directory = getProperty("path_backup").c_str();
    return isRestorePointName(safetyPoint.c_str()) && replayed(directory + safetyPoint, mark) && mark.clearReplay();
  } catch (...) {
    return false;
  }
}

BackupOutcome makeRestorePoint(RestorePointKind kind, std::string* name) {
  try {
    // One reading of the clock names the file, so date and time never straddle midnight.
    const std::tm local = localNow();
    AmbryDB db;
    db.openConnection();  // the server must answer with this account before a file is made
    // A dump taken while a restore replaces the database would hold part of each.
    if (restoreUnderWay(db)) return BackupOutcome::kFailed;
    std::string made;
    BackupOutcome outcome = dumpRestorePoint(getProperty("path_backup").c_str(), kind, local, made);
    if (name && outcome == BackupOutcome::kMade) *name = made;
    return outcome;
  } catch (...) {
    return BackupOutcome::kFailed;
  }
}

bool AmbryDB::backup() {
  return makeRestorePoint(RestorePointKind::kByHand) == BackupOutcome::kMade;
}

bool AmbryDB::restore(const Keystone::String& fileName) {
  return restoreAllOrNothing(fileName) == RestoreOutcome::kRestored;
}

}  // namespace Ambry
