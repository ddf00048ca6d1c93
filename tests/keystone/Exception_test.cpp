// Tests of Keystone::Exception: the message it carries.
#include "keystone/Exception.h"

#include <gtest/gtest.h>

#include <string>

using Keystone::Exception;
using Keystone::String;

TEST(KeystoneException, HoldsACopyOfItsMessage) {
  String text("no such key");
  Exception error(text);
  text[0] = 'N';
  EXPECT_EQ("no such key", std::string(error.getMessage().c_str()));
  EXPECT_EQ(0, Exception().getMessage().length());
}
