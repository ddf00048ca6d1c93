// Helpers for the page framework's unit tests: English texts, a sandbox working directory.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "ambry/Ambry.h"
#include "tests/support/Capture.h"
#include "tests/support/CgiRunner.h"
#include "tests/support/Strings.h"

inline Keystone::Array<Keystone::String> strings(std::initializer_list<const char*> items) {
  return Keystone::Array<Keystone::String>(items.begin(), static_cast<int>(items.size()));
}

// Each test runs in English and leaves the language and page state as it found them.
class EnglishPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mLanguage = Ambry::getLanguage();
    Ambry::setLanguage("eng");
    Ambry::initPageState();
  }
  void TearDown() override {
    Ambry::setLanguage(mLanguage);
    Ambry::initPageState();
  }

 private:
  Keystone::String mLanguage;
};

// Runs the test with a fresh site's cgi-bin as working directory, so that "../data/" is the
// sandbox's data folder.
class SandboxDirectory {
 public:
  SandboxDirectory() {
    char* old = getcwd(nullptr, 0);
    mOld = old ? old : "/";
    free(old);
    EXPECT_EQ(0, chdir(mSite.cgiBin().c_str()));
  }
  ~SandboxDirectory() { EXPECT_EQ(0, chdir(mOld.c_str())); }
  const TestSupport::SiteSandbox& site() const { return mSite; }
  std::string dataFile(const std::string& name) const { return mSite.data() + "/" + name; }

 private:
  TestSupport::SiteSandbox mSite;
  std::string mOld;
};
