// Commands 9 and 10 of the control panel: a restore point only from a whole dump, the account
// kept off the command line, and restore only of a real restore point.
#include <sys/statvfs.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <set>
#include <string>
#include <thread>

#include "tests/programs/control_panel/PanelTestSupport.h"
#include "tests/support/OriginCases.h"
#include "tests/support/TestDB.h"

using namespace PanelTest;

namespace {

const std::string kCompleteDump = "-- fake dump\nCREATE DATABASE x;\n-- Dump completed on 2006-05-17\n";

// A stand-in tool that notes its arguments, its option file (content and mode) and its input.
std::string recordingTool(const SiteSandbox& site, const std::string& name, const std::string& output) {
  std::string record = site.root() + "/record-" + name;
  std::string path = site.root() + "/" + name;
  writeScript(path, "mkdir -p '" + record +
                        "'\n"
                        "printf '%s\\n' \"$@\" > '" +
                        record +
                        "/args'\n"
                        "opt=${1#--defaults-file=}\n"
                        "echo \"$opt\" > '" +
                        record +
                        "/optpath'\n"
                        "cat \"$opt\" > '" +
                        record +
                        "/options'\n"
                        "stat -c %a \"$opt\" > '" +
                        record +
                        "/mode'\n"
                        "cat > '" +
                        record +
                        "/stdin'\n"
                        "printf '%s' '" +
                        output + "'\n");
  return path;
}

std::string recorded(const SiteSandbox& site, const std::string& name, const std::string& what) {
  return SiteSandbox::readFile(site.root() + "/record-" + name + "/" + what);
}

bool toolRan(const SiteSandbox& site, const std::string& name) {
  return SiteSandbox::exists(site.root() + "/record-" + name);
}

// Points the programs at a server that is not there, for the length of one test.
class StoppedServer {
 public:
  StoppedServer() {
    const char* socket = std::getenv("MYSQL_UNIX_PORT");
    mOld = socket ? socket : "";
    setenv("MYSQL_UNIX_PORT", "/nonexistent/mysqld.sock", 1);
  }
  ~StoppedServer() { setenv("MYSQL_UNIX_PORT", mOld.c_str(), 1); }

 private:
  std::string mOld;
};

TEST(PanelBackup, BackUpNowMakesARestorePointAndNotesItsTime) {
  SiteSandbox site;
  std::time_t before = std::time(nullptr);
  CgiResponse page = postPanel(site, "cmd=9");
  std::time_t after = std::time(nullptr);
  EXPECT_TRUE(popsUp(page.output, english("msg_backup_successful")));
  std::vector<std::string> points = restorePoints(site);
  ASSERT_EQ(points.size(), 1u);
  EXPECT_EQ(entries(site.backup()), (std::vector<std::string>{points[0], "lastbackup.dat"}));
  EXPECT_NE(page.output.find("<option value=\"" + points[0] + "\" selected=\"selected\">"), std::string::npos);
  std::vector<std::int32_t> last = readInt32s(site.backup() + "/lastbackup.dat");
  ASSERT_EQ(SiteSandbox::readFile(site.backup() + "/lastbackup.dat").size(), 4u);
  EXPECT_GE(last[0], before);
  EXPECT_LE(last[0], after);
  EXPECT_NE(SiteSandbox::readFile(site.backup() + "/" + points[0]).find("-- Dump completed"),
            std::string::npos);
}

TEST(PanelBackup, DumpToolGetsTheAccountFromAPrivateFileOnly) {
  SiteSandbox site;
  std::string tool = recordingTool(site, "dump", kCompleteDump);
  CgiResponse page = postPanel(site, "cmd=9", {{"AMBRY_FILE_MYSQLDUMP", tool}});
  EXPECT_TRUE(popsUp(page.output, english("msg_backup_successful")));
  std::string args = recorded(site, "dump", "args");
  EXPECT_EQ(args.rfind("--defaults-file=", 0), 0u) << args;
  EXPECT_NE(args.find("\n--single-transaction\n"), std::string::npos);
  EXPECT_NE(args.find("\n--databases\nambry\n"), std::string::npos);
  EXPECT_EQ(args.find("marmots"), std::string::npos) << "no password on the command line";
  std::string options = recorded(site, "dump", "options");
  EXPECT_NE(options.find("password=\"marmots\"\n"), std::string::npos);
  EXPECT_NE(options.find("user=\"ambry\"\n"), std::string::npos);
  EXPECT_NE(options.find(std::string("socket=\"") + std::getenv("MYSQL_UNIX_PORT") + "\"\n"),
            std::string::npos);
  EXPECT_EQ(recorded(site, "dump", "mode"), "600\n");
  std::string optionFile = recorded(site, "dump", "optpath");
  EXPECT_EQ(optionFile.rfind("../../private/tool-account-", 0), 0u) << "the site's private folder, not /tmp";
  EXPECT_FALSE(SiteSandbox::exists(optionFile.substr(0, optionFile.size() - 1))) << "removed afterwards";
  std::vector<std::string> points = restorePoints(site);
  ASSERT_EQ(points.size(), 1u);
  EXPECT_EQ(SiteSandbox::readFile(site.backup() + "/" + points[0]), kCompleteDump);
}

TEST(PanelBackup, AccountValuesWithQuotesAndBackslashesReachTheRealTools) {
  SiteSandbox site;
  const std::string account = "'q\"u\\\\ote'@'localhost'";  // the name q"u\ote as an SQL literal
  const std::string sql = site.root() + "/account.sql";
  SiteSandbox::writeFile(sql, "CREATE USER " + account + " IDENTIFIED BY 'pa\"ss\\\\word';\nGRANT ALL ON ambry.* TO " +
                                  account + ";\n");
  // The server's administrator is the operating system user who started it, signed in by socket.
  const std::string root =
      std::string("mysql --no-defaults -u\"$(id -un)\" --socket='") + std::getenv("MYSQL_UNIX_PORT") + "'";
  ASSERT_EQ(std::system((root + " < '" + sql + "'").c_str()), 0);
  CgiResponse page =
      postPanel(site, "cmd=9", {{"AMBRY_MYSQL_USER", "q\"u\\ote"}, {"AMBRY_MYSQL_PASSWORD", "pa\"ss\\word"}});
  SiteSandbox::writeFile(sql, "DROP USER " + account + ";\n");
  EXPECT_EQ(std::system((root + " < '" + sql + "'").c_str()), 0);
  EXPECT_TRUE(popsUp(page.output, english("msg_backup_successful"))) << page.output;
  EXPECT_EQ(restorePoints(site).size(), 1u);
}

TEST(PanelBackup, PartialFilesOfKilledRunsAreRemoved) {
  SiteSandbox site;
  const std::string stale = site.backup() + "/dump-AbC123.part", fresh = site.backup() + "/dump-XyZ789.part";
  const std::string staleAccount = site.root() + "/private/tool-account-AbC123.cnf";
  std::filesystem::create_directories(site.root() + "/private");
  for (const std::string& file : {stale, fresh, staleAccount}) SiteSandbox::writeFile(file, "-- half a dump");
  const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(5);
  std::filesystem::last_write_time(stale, old);
  std::filesystem::last_write_time(staleAccount, old);
  CgiResponse page = postPanel(site, "cmd=9");
  EXPECT_TRUE(popsUp(page.output, english("msg_backup_successful")));
  EXPECT_FALSE(SiteSandbox::exists(stale));
  EXPECT_FALSE(SiteSandbox::exists(staleAccount));
  EXPECT_TRUE(SiteSandbox::exists(fresh)) << "a file just made may belong to a backup still running";
}

TEST(PanelBackup, CommandsFromAnotherSiteAreRefused) {
  for (const TestSupport::OriginCase& origin : TestSupport::originCases()) {
    SiteSandbox site;
    std::map<std::string, std::string> env = origin.env;
    env["AMBRY_FILE_MYSQLDUMP"] = recordingTool(site, "dump", kCompleteDump);
    CgiResponse page = postPanel(site, "cmd=9", env);
    EXPECT_EQ(restorePoints(site).size(), origin.allowed ? 1u : 0u) << origin.name;
    EXPECT_EQ(bool(popsUp(page.output, english("err_cross_site"))), !origin.allowed) << origin.name;
    EXPECT_NE(page.output.find("</html>"), std::string::npos) << origin.name;
  }
}

TEST(PanelBackup, AFailedOrUnfinishedDumpLeavesNoFile) {
  SiteSandbox site;
  std::string failing = site.root() + "/failing";
  writeScript(failing, "printf -- '-- MariaDB dump\\nCREATE TABLE BOOK (\\n'\nexit 2\n");
  std::string cutShort = site.root() + "/cut-short";
  writeScript(cutShort, "printf -- '-- MariaDB dump\\nINSERT INTO BOOK VALUES (1);\\n'\n");
  for (const std::string& tool :
       {std::string("/bin/false"), failing, cutShort, site.root() + "/no-such-tool"}) {
    CgiResponse page = postPanel(site, "cmd=9", {{"AMBRY_FILE_MYSQLDUMP", tool}});
    EXPECT_TRUE(popsUp(page.output, english("err_fatal"))) << tool;
    EXPECT_FALSE(popsUp(page.output, english("msg_backup_successful"))) << tool;
    EXPECT_TRUE(entries(site.backup()).empty()) << tool << ": no restore point, no lastbackup.dat";
  }
}

// Less free space than the last restore point took: neither a backup nor a restore's safety point
// is begun, and nothing is left behind.
TEST(PanelBackup, APointTheFolderCannotHoldIsNotBegun) {
  SiteSandbox site;
  struct statvfs space;
  ASSERT_EQ(statvfs(site.backup().c_str(), &space), 0);
  const std::string last = site.backup() + "/2006-05-17-09-05-03.bak";
  SiteSandbox::writeFile(last, "");
  // Sparse: it claims more than the free space and takes none of it.
  ASSERT_EQ(truncate(last.c_str(), static_cast<off_t>(space.f_bavail * space.f_frsize) + (1 << 30)), 0);
  std::map<std::string, std::string> tools = {{"AMBRY_FILE_MYSQLDUMP", recordingTool(site, "dump", kCompleteDump)},
                                              {"AMBRY_FILE_MYSQL", recordingTool(site, "client", "")}};
  CgiResponse backup = postPanel(site, "cmd=9", tools);
  EXPECT_TRUE(popsUp(backup.output, english("err_backup_no_room"))) << backup.output;
  CgiResponse restore = postPanel(site, "cmd=10&restore_file=2006-05-17-09-05-03.bak", tools);
  EXPECT_TRUE(popsUp(restore.output, english("err_restore_not_started")));
  EXPECT_FALSE(toolRan(site, "dump"));
  EXPECT_FALSE(toolRan(site, "client"));
  EXPECT_EQ(entries(site.backup()), std::vector<std::string>{"2006-05-17-09-05-03.bak"});
  EXPECT_TRUE(entries(site.root() + "/private").empty()) << "no account file left";
}

TEST(PanelBackup, WithTheServerStoppedNothingIsWrittenOrReplayed) {
  SiteSandbox site;
  SiteSandbox::writeFile(site.backup() + "/2006-05-17-09-05-03.bak", kCompleteDump);
  std::string tool = recordingTool(site, "client", "");
  ASSERT_NE(TestSupport::staffSessionCookie(), "");  // signed in while the server still runs
  StoppedServer stopped;
  // The session cannot be checked: the page says why, and the panel does nothing.
  const std::string unreachable = "The query was unsuccessful: openConnection - Failed to connect";
  CgiResponse backup = postPanel(site, "cmd=9");
  EXPECT_NE(backup.output.find(unreachable), std::string::npos) << backup.output;
  EXPECT_EQ(entries(site.backup()), std::vector<std::string>{"2006-05-17-09-05-03.bak"});
  CgiResponse restore =
      postPanel(site, "cmd=10&restore_file=2006-05-17-09-05-03.bak", {{"AMBRY_FILE_MYSQL", tool}});
  EXPECT_NE(restore.output.find(unreachable), std::string::npos) << restore.output;
  EXPECT_FALSE(toolRan(site, "client"));
}

TEST(PanelRestore, ReplaysTheChosenRestorePointWithThePrivateAccount) {
  SiteSandbox site;
  SiteSandbox::writeFile(site.backup() + "/2006-05-17-09-05-03.bak", kCompleteDump);
  std::string tool = recordingTool(site, "client", "");
  CgiResponse page =
      postPanel(site, "cmd=10&restore_file=2006-05-17-09-05-03.bak", {{"AMBRY_FILE_MYSQL", tool}});
  EXPECT_TRUE(popsUp(page.output, english("msg_restore_successful")));
  EXPECT_EQ(recorded(site, "client", "stdin"), kCompleteDump);
  std::string args = recorded(site, "client", "args");
  EXPECT_EQ(args.rfind("--defaults-file=", 0), 0u);
  EXPECT_EQ(args.find("marmots"), std::string::npos);
}

// A client tool that fails its first `failures` runs, keeping the input of every run.
std::string failingClient(const SiteSandbox& site, int failures) {
  std::string path = site.root() + "/client";
  writeScript(path, "cd '" + site.root() +
                        "'\n"
                        "n=$(( $(cat runs 2>/dev/null || echo 0) + 1 ))\n"
                        "echo $n > runs\n"
                        "cat > stdin-$n\n"
                        "[ $n -gt " +
                        std::to_string(failures) + " ]\n");
  return path;
}

TEST(PanelRestore, ARestoreIsAllOrNothingAndSaysWhichItWas) {
  const std::string point = "2006-05-17-09-05-03.bak";
  struct Case {
    const char* dumpTool;  // empty: the real one
    int failures;
    const char* key;
    int runs;
  } cases[] = {
      {"/bin/false", 0, "err_restore_not_started", 0},  // nothing saved, nothing replayed
      {"", 1, "err_restore_rolled_back", 2},
      {"", 2, "err_restore_not_rolled_back", 2},
      {"", 0, "msg_restore_successful", 1},
  };
  TestSupport::TestDB guard;
  for (const Case& c : cases) {
    SiteSandbox site;
    SiteSandbox::writeFile(site.backup() + "/" + point, kCompleteDump);
    std::map<std::string, std::string> env = {{"AMBRY_FILE_MYSQL", failingClient(site, c.failures)}};
    if (*c.dumpTool) env["AMBRY_FILE_MYSQLDUMP"] = c.dumpTool;
    CgiResponse page = postPanel(site, "cmd=10&restore_file=" + point, env);
    std::vector<std::string> points = restorePoints(site);
    std::string runs =
        SiteSandbox::exists(site.root() + "/runs") ? SiteSandbox::readFile(site.root() + "/runs") : "0\n";
    EXPECT_EQ(runs, std::to_string(c.runs) + "\n") << c.key;
    if (c.runs == 0) {
      EXPECT_EQ(points, std::vector<std::string>{point}) << c.key;
      EXPECT_TRUE(popsUp(page.output, english(c.key))) << c.key;
      continue;
    }
    ASSERT_EQ(points.size(), 2u) << c.key;
    std::string safetyPoint = points[0] == point ? points[1] : points[0];
    EXPECT_EQ(SiteSandbox::readFile(site.root() + "/stdin-1"), kCompleteDump) << c.key;
    if (c.runs == 2) {  // brought back from the restore point made just before
      EXPECT_EQ(SiteSandbox::readFile(site.root() + "/stdin-2"),
                SiteSandbox::readFile(site.backup() + "/" + safetyPoint))
          << c.key;
    }
    std::string message = english(c.key);
    size_t at = message.find("%s");
    if (at != std::string::npos) message.replace(at, 2, safetyPoint);  // where the old database is
    EXPECT_TRUE(popsUp(page.output, message)) << c.key << page.output;
    // The list after the restore opens on the restore point, not on the newer safety point.
    EXPECT_NE(page.output.find("<option value=\"" + point + "\" selected=\"selected\">" + point + "</option>\n"),
              std::string::npos) << c.key;
    EXPECT_NE(page.output.find("<option value=\"" + safetyPoint + "\">" + safetyPoint + " (safety point)</option>"),
              std::string::npos) << c.key;
    // A replay that could not be rolled back stays recorded, so that no change goes ahead on it.
    EXPECT_EQ(guard.scalar("SELECT replayPoint FROM RULEGUARD"), c.runs == 2 && c.failures == 2 ? safetyPoint : "")
        << c.key;
    guard.reset();
  }
}

// Once a restore's safety point is complete, the oldest beyond the setting go; a safety point of an
// earlier version and the restore points made by hand stay.
TEST(PanelRestore, SafetyPointsArePrunedToTheSetting) {
  SiteSandbox site;
  const std::string point = "2006-05-17-09-05-03.bak";
  for (const std::string& name : {point, std::string("2006-01-01-00-00-00-safety.bak"),
                                  std::string("2006-01-02-00-00-00-safety.bak"),
                                  std::string("2006-01-03-00-00-00-before-restore.bak")})
    SiteSandbox::writeFile(site.backup() + "/" + name, kCompleteDump);
  CgiResponse page = postPanel(site, "cmd=10&restore_file=" + point,
                               {{"AMBRY_FILE_MYSQL", recordingTool(site, "client", "")},
                                {"AMBRY_KEEP_SAFETY_POINTS", "2"}});
  EXPECT_TRUE(popsUp(page.output, english("msg_restore_successful")));
  std::vector<std::string> points = restorePoints(site);
  ASSERT_EQ(points.size(), 4u) << ::testing::PrintToString(points);
  EXPECT_EQ(std::vector<std::string>(points.begin(), points.begin() + 3),
            (std::vector<std::string>{"2006-01-02-00-00-00-safety.bak", "2006-01-03-00-00-00-before-restore.bak", point}));
  EXPECT_EQ(points[3].substr(points[3].size() - 11), "-safety.bak") << "the new one, today's";
}

// The restoring page renews its mark on the guard while it waits on its tools, so the mark lapses
// only once the page is gone, however long the replay takes.
TEST(PanelRestore, TheMarkIsRenewedWhileTheReplayRuns) {
  SiteSandbox site;
  const std::string point = "2006-05-17-09-05-03.bak";
  SiteSandbox::writeFile(site.backup() + "/" + point, kCompleteDump);
  const std::string slowClient = site.root() + "/slow-client";
  writeScript(slowClient, "cat > /dev/null\nsleep 3\n");
  std::atomic<bool> done{false};
  CgiResponse page;
  std::thread restore([&] {
    page = postPanel(site, "cmd=10&restore_file=" + point, {{"AMBRY_FILE_MYSQL", slowClient}});
    done = true;
  });
  TestSupport::TestDB guard;
  std::set<std::string> marks;
  while (!done) {
    const std::string until = guard.scalar("SELECT restoreUntil FROM RULEGUARD");
    if (!until.empty()) marks.insert(until);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  restore.join();
  EXPECT_TRUE(popsUp(page.output, english("msg_restore_successful")));
  EXPECT_GE(marks.size(), 2u) << "the mark was never renewed";
  EXPECT_EQ(guard.scalar("SELECT restoreUntil FROM RULEGUARD"), "") << "and is cleared at the end";
}

TEST(PanelRestore, RefusesAnyOtherNameAndRunsNothing) {
  SiteSandbox site;
  SiteSandbox::writeFile(site.root() + "/outside.bak", kCompleteDump);
  SiteSandbox::writeFile(site.backup() + "/notes.txt", kCompleteDump);
  std::filesystem::create_directories(site.backup() + "/folder.bak");
  std::string tool = recordingTool(site, "client", "");
  for (const char* body :
       {"cmd=10", "cmd=10&restore_file=", "cmd=10&restore_file=missing.bak",
        "cmd=10&restore_file=../outside.bak", "cmd=10&restore_file=notes.txt",
        "cmd=10&restore_file=folder.bak", "cmd=10&restore_file=x.bak;touch+pwned",
        "cmd=10&restore_file=%24(touch+pwned).bak", "cmd=10&restore_file=`touch+pwned`.bak"}) {
    CgiResponse page = postPanel(site, body, {{"AMBRY_FILE_MYSQL", tool}});
    EXPECT_TRUE(popsUp(page.output, english("err_fatal"))) << body;
  }
  EXPECT_FALSE(toolRan(site, "client"));
  EXPECT_FALSE(SiteSandbox::exists(site.cgiBin() + "/pwned"));
}

}  // namespace
