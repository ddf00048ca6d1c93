// The visitor counter: reading, counting, adding to the file under a lock, and a missing file.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "tests/ambry/framework/FrameworkTestSupport.h"

using Ambry::Counter;

namespace {

// Each test starts with an unread counter and leaves one, so that nothing is written at exit.
class CounterTest : public EnglishPageTest {
 protected:
  void SetUp() override {
    EnglishPageTest::SetUp();
    Counter::counter = 0;
    Counter::counterInitYet = false;
  }
  void TearDown() override {
    Counter::counter = 0;
    Counter::counterInitYet = false;
    EnglishPageTest::TearDown();
  }
  SandboxDirectory mDir;
  std::string path() const { return mDir.dataFile("counter.txt"); }
  int filesInData() const {
    int n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(mDir.site().data()))
      n += entry.exists() ? 1 : 0;
    return n;
  }
};

}  // namespace

TEST_F(CounterTest, IncGetAndFlush) {
  TestSupport::SiteSandbox::writeFile(path(), "41");
  const std::string out = TestSupport::captureStdout([] {
    Counter::inc(1);
    EXPECT_EQ(42, Counter::get());
    EXPECT_EQ("41", TestSupport::SiteSandbox::readFile("../data/counter.txt"));  // inc changes memory only
    Counter::flush();
  });
  EXPECT_EQ("", out);
  EXPECT_EQ("42", TestSupport::SiteSandbox::readFile(path()));
  EXPECT_TRUE(Counter::counterInitYet);
  EXPECT_EQ(1, filesInData());  // no temporary file left behind
}

TEST_F(CounterTest, FileWithoutLeadingNumberReadsAsZero) {
  TestSupport::SiteSandbox::writeFile(path(), "  7 visitors");
  EXPECT_EQ(7, Counter::get());
  Counter::counterInitYet = false;
  TestSupport::SiteSandbox::writeFile(path(), "none");
  EXPECT_EQ(0, Counter::get());
  EXPECT_TRUE(Counter::counterInitYet);
}

TEST_F(CounterTest, MissingFileGivesMessagesAndCreatesNothing) {
  const std::string out = TestSupport::captureStdout([] {
    EXPECT_EQ(0, Counter::get());
    Counter::inc(1);
    Counter::flush();
  });
  EXPECT_EQ(
      "Error in Counter::init(): Error opening counter file<br>\n"
      "Error in Counter::get(): !counterInitYet<br>\n"
      "Error in Counter::init(): Error opening counter file<br>\n"
      "Error in Counter::inc(1): !counterInitYet<br>\n"
      "Error in Counter::flush(): !counterInitYet<br>\n",
      out);
  EXPECT_FALSE(Counter::counterInitYet);
  EXPECT_FALSE(TestSupport::SiteSandbox::exists(path()));
  Ambry::setLanguage("afr");
  EXPECT_EQ("Fout in Counter::inc(5): !counterInitYet<br>\n",
            TestSupport::captureStdout([] { Counter::inc(5); })
                .substr(std::string("Fout in Counter::init(): Fout met inlees van besoekertal l\xEA"
                                    "er<br>\n")
                            .size()));
}

TEST_F(CounterTest, FlushAddsToTheFileInPlace) {
  TestSupport::SiteSandbox::writeFile(path(), "41");
  chmod(path().c_str(), 0664);
  // A second name for the file: rewritten in place, it shows the new count too, so only the file,
  // not its folder, needs to be writable.
  const std::string otherName = mDir.site().root() + "/other-name";
  ASSERT_EQ(0, link(path().c_str(), otherName.c_str()));
  EXPECT_EQ(41, Counter::get());
  TestSupport::SiteSandbox::writeFile(path(), "50");  // visits counted by others meanwhile
  Counter::inc(1);
  Counter::flush();
  EXPECT_EQ("51", TestSupport::SiteSandbox::readFile(otherName));
  EXPECT_EQ(51, Counter::get());
  struct stat info;
  ASSERT_EQ(0, stat(path().c_str(), &info));
  EXPECT_EQ(0664u, info.st_mode & 0777u);
  EXPECT_EQ(1, filesInData());
}

TEST_F(CounterTest, SimultaneousVisitsAllCount) {
  TestSupport::SiteSandbox::writeFile(path(), "1000");
  int gate[2];
  ASSERT_EQ(0, pipe(gate));
  std::vector<pid_t> children;
  for (int i = 0; i < 40; ++i) {
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      close(gate[1]);
      char c;
      (void)!read(gate[0], &c, 1);  // all start together once the gate closes
      Counter::inc(1);
      Counter::flush();
      _exit(0);
    }
    children.push_back(pid);
  }
  close(gate[0]);
  close(gate[1]);
  for (pid_t pid : children) {
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  EXPECT_EQ("1040", TestSupport::SiteSandbox::readFile(path()));
}

TEST_F(CounterTest, TheLargestCountStays) {
  TestSupport::SiteSandbox::writeFile(path(), "2147483646");
  EXPECT_EQ(2147483646, Counter::get());
  TestSupport::SiteSandbox::writeFile(path(), "2147483647");  // another visit meanwhile
  Counter::inc(1);
  Counter::inc(1);
  EXPECT_EQ(2147483647, Counter::get());
  Counter::flush();
  EXPECT_EQ("2147483647", TestSupport::SiteSandbox::readFile(path()));
}

TEST_F(CounterTest, FailedFlushReportsAndKeepsTheCount) {
  TestSupport::SiteSandbox::writeFile(path(), "41");
  EXPECT_EQ(41, Counter::get());
  std::filesystem::remove_all(mDir.site().data());  // the folder is gone: nothing can be written
  EXPECT_EQ("Error in Counter::flush(): Error opening counter file<br>\n",
            TestSupport::captureStdout([] { Counter::flush(); }));
  EXPECT_FALSE(TestSupport::SiteSandbox::exists(mDir.site().data()));
  EXPECT_EQ(41, Counter::get());
}
