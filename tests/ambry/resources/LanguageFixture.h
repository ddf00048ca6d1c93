// Puts the current language back after a test that changes it, and compares library texts.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "ambry/resources/Resources.h"
#include "tests/support/Capture.h"

namespace ResourcesTest {

inline std::string str(const Keystone::String& s) {
  return std::string(s.c_str(), s.length());
}

class LanguageFixture : public ::testing::Test {
 protected:
  void SetUp() override { mSaved = Ambry::getLanguage(); }
  void TearDown() override {
    TestSupport::captureStdout([&] { Ambry::setLanguage(mSaved); });
  }
  // Selects a language and gives what setLanguage wrote.
  std::string select(const char* language) {
    return TestSupport::captureStdout([&] { Ambry::setLanguage(language); });
  }

 private:
  Keystone::String mSaved;
};

}  // namespace ResourcesTest
