// The staff session cookie as the browser sends it back: only a well-formed token of our name counts.
#include "ambry/framework/SessionCookie.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

TEST(SessionCookie, OnlyAWellFormedTokenOfOurNameCounts) {
  const std::string token(64, 'b');
  const struct {
    std::string header;
    std::string expected;
  } cases[] = {
      {"ambry_staff=" + token, token},
      {"theme=dark;  ambry_staff=" + token + " ; x=1", token},
      {"ambry_staff=" + std::string(63, 'b'), ""},
      {"ambry_staff=" + std::string(64, 'B'), ""},  // we write lower case only
      {"ambry_staff=" + token + "x", ""},
      {"xambry_staff=" + token, ""},
      {"ambry_staff=; ambry_staff=" + token, token},
  };
  for (const auto& c : cases) {
    setenv("HTTP_COOKIE", c.header.c_str(), 1);
    EXPECT_EQ(std::string(Ambry::sessionCookieToken().c_str()), c.expected) << c.header;
  }
  unsetenv("HTTP_COOKIE");
  const Keystone::String first = Ambry::newSessionToken();
  setenv("HTTP_COOKIE", (std::string("ambry_staff=") + first.c_str()).c_str(), 1);
  EXPECT_EQ(std::string(Ambry::sessionCookieToken().c_str()), first.c_str()) << "a new token reads back";
  EXPECT_NE(std::string(Ambry::newSessionToken().c_str()), first.c_str());
  unsetenv("HTTP_COOKIE");
}

}  // namespace
