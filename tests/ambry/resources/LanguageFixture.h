// Puts the current language back after a test that changes it, and compares library texts.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "ambry/resources/Resources.h"
#include "tests/support/Capture.h"
#include "tests/support/Strings.h"

namespace ResourcesTest {

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
