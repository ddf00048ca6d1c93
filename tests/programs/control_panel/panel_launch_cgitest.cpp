// Command 11 of the control panel: autovault started detached from the request, never twice.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "tests/programs/control_panel/PanelTestSupport.h"

using namespace PanelTest;
namespace fs = std::filesystem;

namespace {

// Waits up to a few seconds for a condition.
template <typename Condition>
bool eventually(Condition condition) {
  for (int i = 0; i < 100; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return condition();
}

// A stand-in autovault.exe in cgi-bin that notes how many arguments it got.
std::string fakeAutovault(const SiteSandbox& site) {
  std::string marker = site.root() + "/started";
  writeScript(site.cgiBin() + "/autovault.exe", "echo $# > '" + marker + "'\n");
  return marker;
}

pid_t deadProcess() {
  pid_t pid = fork();
  if (pid == 0) _exit(0);
  waitpid(pid, nullptr, 0);
  return pid;
}

TEST(PanelLaunch, WhileTheRunFlagIsHeldNothingIsStarted) {
  SiteSandbox site;
  std::string marker = fakeAutovault(site);
  for (const std::string& content : {std::to_string(getpid()) + "\n", std::string()}) {
    SiteSandbox::writeFile(site.backup() + "/runflag", content);
    CgiResponse page = postPanel(site, "cmd=11");
    EXPECT_TRUE(popsUp(page.output, english("msg_already_running")));
    EXPECT_FALSE(popsUp(page.output, english("msg_activate_successful")));
    EXPECT_TRUE(SiteSandbox::exists(site.backup() + "/runflag")) << "the flag is autovault's";
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_FALSE(SiteSandbox::exists(marker));
}

TEST(PanelLaunch, AFlagLeftByADeadCopyDoesNotBlockTheLaunch) {
  SiteSandbox site;
  std::string marker = fakeAutovault(site);
  SiteSandbox::writeFile(site.backup() + "/runflag", std::to_string(deadProcess()) + "\n");
  CgiResponse page = postPanel(site, "cmd=11");
  EXPECT_TRUE(popsUp(page.output, english("msg_activate_successful")));
  ASSERT_TRUE(eventually([&] { return SiteSandbox::readFile(marker) == "0\n"; }))
      << "started without arguments";
}

// A copy killed a moment ago that its parent has not collected yet: it exists, but runs no more.
TEST(PanelLaunch, AFlagHeldByAKilledCopyNotYetCollectedDoesNotBlockTheLaunch) {
  SiteSandbox site;
  std::string marker = fakeAutovault(site);
  pid_t zombie = fork();
  if (zombie == 0) _exit(0);
  ASSERT_TRUE(eventually([&] {  // ended, not collected: still there for kill(pid, 0)
    siginfo_t info{};
    return waitid(P_PID, zombie, &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == zombie &&
           kill(zombie, 0) == 0;
  }));
  SiteSandbox::writeFile(site.backup() + "/runflag", std::to_string(zombie) + "\n");
  CgiResponse page = postPanel(site, "cmd=11");
  waitpid(zombie, nullptr, 0);
  EXPECT_TRUE(popsUp(page.output, english("msg_activate_successful")));
  EXPECT_TRUE(eventually([&] { return SiteSandbox::readFile(marker) == "0\n"; }));
}

TEST(PanelLaunch, AProgramThatCannotBeStartedIsReported) {
  SiteSandbox site;
  EXPECT_TRUE(popsUp(postPanel(site, "cmd=11").output, english("err_fatal")));
  SiteSandbox::writeFile(site.cgiBin() + "/autovault.exe", "not a program");
  EXPECT_TRUE(popsUp(postPanel(site, "cmd=11").output, english("err_fatal")));
}

// The real autovault: the request ends at once while it runs on in a session of its own, with
// nothing of the web server's, and it stops cleanly on a termination signal.
TEST(PanelLaunch, StartsAutovaultDetachedAndItStopsOnRequest) {
  SiteSandbox site;
  fs::create_symlink(TestSupport::programPath("autovault"), site.cgiBin() + "/autovault.exe");
  auto start = std::chrono::steady_clock::now();
  CgiResponse page = postPanel(site, "cmd=11");
  auto took = std::chrono::steady_clock::now() - start;
  EXPECT_TRUE(popsUp(page.output, english("msg_activate_successful")));
  EXPECT_LT(took, std::chrono::seconds(5)) << "the web server must not wait for autovault";

  std::string flag = site.backup() + "/runflag";
  ASSERT_TRUE(eventually([&] { return !SiteSandbox::readFile(flag).empty(); }));
  pid_t pid = std::atoi(SiteSandbox::readFile(flag).c_str());
  ASSERT_GT(pid, 0);
  struct StopWhenDone {
    pid_t pid;
    ~StopWhenDone() { kill(pid, SIGTERM); }
  } stopWhenDone{pid};  // also when a check below fails
  EXPECT_NE(getsid(pid), getsid(0));
  EXPECT_EQ(fs::canonical("/proc/" + std::to_string(pid) + "/cwd"), fs::canonical(site.cgiBin()));
  ASSERT_TRUE(eventually([&] { return SiteSandbox::exists(site.backup() + "/lastbackup.dat"); }))
      << "no backup known yet, so one is due at once";
  EXPECT_EQ(restorePoints(site).size(), 1u);
  for (int fd = 0; fd < 3; ++fd)
    EXPECT_EQ(fs::read_symlink("/proc/" + std::to_string(pid) + "/fd/" + std::to_string(fd)), "/dev/null");
  EXPECT_TRUE(eventually([&] { return entries("/proc/" + std::to_string(pid) + "/fd").size() == 3; }))
      << "no descriptor of the web server's is kept open";

  EXPECT_TRUE(popsUp(postPanel(site, "cmd=11").output, english("msg_already_running")));
  kill(pid, SIGTERM);
  EXPECT_TRUE(eventually([&] { return !SiteSandbox::exists(flag); })) << "the flag goes with it";
  EXPECT_EQ(restorePoints(site).size(), 1u);
}

}  // namespace
