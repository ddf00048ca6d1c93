// autovault's test mode: one due restore point at once, the schedule deciding what is due, and
// the run flag that keeps a second copy out.
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

#include <ctime>
#include <string>

#include "tests/programs/control_panel/PanelTestSupport.h"

using namespace PanelTest;

namespace {

const std::int32_t kDay = 86400;

// Runs "autovault --once" from the site's cgi-bin and gives its exit status.
int runOnce(const SiteSandbox& site, const char* socket = nullptr) {
  pid_t pid = fork();
  if (pid == 0) {
    if (socket) setenv("MYSQL_UNIX_PORT", socket, 1);
    if (chdir(site.cgiBin().c_str()) != 0) _exit(126);
    std::string program = TestSupport::programPath("autovault");
    execl(program.c_str(), program.c_str(), "--once", static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The id of a process that has ended.
pid_t deadProcess() {
  pid_t pid = fork();
  if (pid == 0) _exit(0);
  waitpid(pid, nullptr, 0);
  return pid;
}

std::string lastBackupPath(const SiteSandbox& site) {
  return site.backup() + "/lastbackup.dat";
}

TEST(AutovaultOnce, WithoutAnyBackupYetMakesOneRestorePointAndNotesIt) {
  SiteSandbox site;
  std::time_t before = std::time(nullptr);
  EXPECT_EQ(runOnce(site), 0);
  std::time_t after = std::time(nullptr);
  std::vector<std::string> points = restorePoints(site);
  ASSERT_EQ(points.size(), 1u);
  EXPECT_EQ(entries(site.backup()), (std::vector<std::string>{points[0], "lastbackup.dat"}))
      << "the run flag is gone after the run";
  std::vector<std::int32_t> last = readInt32s(lastBackupPath(site));
  ASSERT_EQ(last.size(), 1u);
  EXPECT_GE(last[0], before);
  EXPECT_LE(last[0], after);

  EXPECT_EQ(runOnce(site), 0);
  EXPECT_EQ(restorePoints(site).size(), 1u) << "the next daily backup is not due yet";
  EXPECT_EQ(readInt32s(lastBackupPath(site)), last);
}

TEST(AutovaultOnce, TheStoredScheduleDecidesWhetherABackupIsDue) {
  struct Case {
    std::int32_t type;
    std::int32_t ageDays;
    bool due;
  } cases[] = {{0, 1, true},  {1, 3, true},    {2, 6, false},  {2, 9, true}, {3, 20, false},
               {3, 70, true}, {4, 200, false}, {4, 400, true}, {9, 3, true}};
  for (const Case& c : cases) {
    SiteSandbox site;
    std::int32_t last = static_cast<std::int32_t>(std::time(nullptr)) - c.ageDays * kDay;
    SiteSandbox::writeFile(site.backup() + "/settings.dat", int32Bytes({c.type, 2 * 3600}));
    SiteSandbox::writeFile(lastBackupPath(site), int32Bytes({last}));
    EXPECT_EQ(runOnce(site), 0);
    EXPECT_EQ(restorePoints(site).size(), c.due ? 1u : 0u)
        << "type " << c.type << ", " << c.ageDays << " days";
    EXPECT_EQ(readInt32s(lastBackupPath(site))[0] != last, c.due);
  }
}

TEST(AutovaultOnce, ARunningCopyKeepsASecondOneOut) {
  SiteSandbox site;
  std::string flag = site.backup() + "/runflag";
  SiteSandbox::writeFile(flag, std::to_string(getpid()) + "\n");  // this process is alive
  EXPECT_EQ(runOnce(site), 1);
  EXPECT_TRUE(restorePoints(site).empty());
  EXPECT_EQ(SiteSandbox::readFile(flag), std::to_string(getpid()) + "\n");
}

TEST(AutovaultOnce, TakesOverTheFlagOfACopyThatDied) {
  SiteSandbox site;
  SiteSandbox::writeFile(site.backup() + "/runflag", std::to_string(deadProcess()) + "\n");
  EXPECT_EQ(runOnce(site), 0);
  EXPECT_EQ(restorePoints(site).size(), 1u);
  EXPECT_FALSE(SiteSandbox::exists(site.backup() + "/runflag"));
}

// Hosts sharing the backup folder: a flag of another host's autovault counts while it is renewed.
TEST(AutovaultOnce, AFlagOfAnotherHostCountsUntilItGoesStale) {
  SiteSandbox site;
  std::string flag = site.backup() + "/runflag";
  SiteSandbox::writeFile(flag, std::to_string(deadProcess()) + "\nanother-host.example\n");
  EXPECT_EQ(runOnce(site), 1) << "a process id of another host says nothing here";
  EXPECT_TRUE(restorePoints(site).empty());
  struct utimbuf old = {std::time(nullptr) - 600, std::time(nullptr) - 600};
  ASSERT_EQ(utime(flag.c_str(), &old), 0);
  EXPECT_EQ(runOnce(site), 0);
  EXPECT_EQ(restorePoints(site).size(), 1u);
  EXPECT_FALSE(SiteSandbox::exists(flag));
}

// The oldest automatic points beyond the setting go once a new one is complete; points made by
// hand, safety points and points of earlier versions stay.
TEST(AutovaultOnce, KeepsTheNewestAutomaticPointsAndPrunesNothingElse) {
  SiteSandbox site;
  const std::vector<std::string> kept = {"2005-01-01-00-00-00.bak", "2005-06-01-00-00-00-before-restore.bak",
                                         "2005-07-01-00-00-00-safety.bak", "2006-01-02-00-00-00-auto-2.bak"};
  for (const std::string& name : kept) SiteSandbox::writeFile(site.backup() + "/" + name, "old");
  for (const char* name : {"2006-01-01-00-00-00-auto.bak", "2006-01-02-00-00-00-auto.bak"})
    SiteSandbox::writeFile(site.backup() + "/" + name, "old");
  setenv("AMBRY_KEEP_AUTOMATIC_POINTS", "2", 1);
  EXPECT_EQ(runOnce(site), 0);
  unsetenv("AMBRY_KEEP_AUTOMATIC_POINTS");
  std::vector<std::string> points = restorePoints(site);
  ASSERT_EQ(points.size(), kept.size() + 1) << ::testing::PrintToString(points);
  for (const std::string& name : kept)
    EXPECT_NE(std::find(points.begin(), points.end(), name), points.end()) << name;
  const std::string made = points.back();  // today's, the newest by name
  EXPECT_EQ(made.substr(made.size() - 9), "-auto.bak") << made;
  EXPECT_NE(SiteSandbox::readFile(site.backup() + "/" + made).find("-- Dump completed"), std::string::npos);
}

TEST(AutovaultOnce, AFailedBackupIsNotNoted) {
  SiteSandbox site;
  EXPECT_EQ(runOnce(site, "/nonexistent/mysqld.sock"), 1);
  EXPECT_TRUE(entries(site.backup()).empty());
}

}  // namespace
