// The staff door: every staff program answers a request without an open session with the sign-in
// form and nothing of its own; sessions end by signing out or by time.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/support/CgiRunner.h"
#include "tests/support/Popups.h"
#include "tests/support/ProgramList.h"
#include "tests/support/TestDB.h"

using TestSupport::CgiRequest;
using TestSupport::CgiResponse;
using TestSupport::runCgi;

namespace {

CgiResponse request(const std::string& program, const std::map<std::string, std::string>& env,
                    const char* body = nullptr, const std::string& query = "lang=eng") {
  CgiRequest request;
  request.program = program;
  request.query = query;
  if (body) request.body = body;
  request.env = env;
  return runCgi(request);
}

// A session of its own, as a browser gets it by signing in.
std::string signIn() {
  CgiResponse page = request("staff_login", {}, "password=marmots");
  const size_t at = page.output.find("Set-Cookie: ");
  return page.output.substr(at + 12, page.output.find(';', at) - at - 12);
}

bool isSignInPage(const CgiResponse& page) {
  return page.exitStatus == 0 &&
         page.output.find("<title>Ashgrove Library :: Staff sign-in</title>") != std::string::npos &&
         page.output.find("<form method=\"post\" action=\"staff_login.exe?lang=eng\">") != std::string::npos &&
         page.output.find("</body>\n</html>") != std::string::npos;
}

const std::string kForged = "ambry_staff=" + std::string(64, '0');
const std::string kRightPassword = "Basic " + std::string("c3RhZmY6bWFybW90cw==");  // staff:marmots

TEST(StaffDoor, EveryStaffProgramAnswersOnlyASession) {
  TestSupport::TestDB().reset();
  const std::vector<std::string> programs = TestSupport::listedPrograms("staff");
  ASSERT_GE(programs.size(), 7u);
  for (const std::string& program : programs) {
    // Neither a forged cookie, nor the password as HTTP credentials, nor a posted password opens it.
    for (const std::map<std::string, std::string>& env :
         {std::map<std::string, std::string>{{"HTTP_COOKIE", ""}},
          {{"HTTP_COOKIE", kForged}},
          {{"HTTP_COOKIE", ""}, {"HTTP_AUTHORIZATION", kRightPassword}}}) {
      CgiResponse page = request(program, env, "loggedIn=1&password=marmots");
      EXPECT_TRUE(isSignInPage(page)) << program << "\n" << page.output;
      EXPECT_NE(page.output.find("<input type=\"hidden\" name=\"return\" value=\"" + program + ".exe?lang=eng\">"),
                std::string::npos)
          << program;
      // A posted request without a session was not carried out, and the page says so.
      EXPECT_NE(page.output.find(TestSupport::english("desc_staff_signin_resend")), std::string::npos) << program;
      EXPECT_EQ(page.output.find("resetEntryForm"), std::string::npos) << program;
    }
    // A forged or ended session's cookie is taken away.
    EXPECT_NE(request(program, {{"HTTP_COOKIE", kForged}}).output.find("Set-Cookie: ambry_staff=; Path=/; Max-Age=0;"),
              std::string::npos)
        << program;
    EXPECT_FALSE(isSignInPage(request(program, {}))) << program << " with a session";
  }
}

TEST(StaffDoor, ARequestWithoutSessionChangesNothing) {
  TestSupport::TestDB db;
  db.reset();
  const std::string insert = "cmd=1&id=1&author=Woolf&title=Orlando&isbn=978&dewey=" +
                             db.scalar("SELECT MIN(id) FROM DEWEY") + "&price=1&_condition=5&addDate=2020-01-01";
  request("book_editor", {{"HTTP_COOKIE", ""}}, insert.c_str());
  EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM BOOK"), "0");
  request("book_editor", {}, insert.c_str());
  EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM BOOK"), "1") << "the same request with a session";
}

TEST(StaffDoor, SigningOutEndsTheSessionEverywhere) {
  const std::string cookie = signIn();
  ASSERT_EQ(cookie.size(), 76u);
  EXPECT_FALSE(isSignInPage(request("control_panel", {{"HTTP_COOKIE", cookie}})));
  CgiResponse out = request("staff_logout", {{"HTTP_COOKIE", cookie}}, "");
  EXPECT_NE(out.output.find("Set-Cookie: ambry_staff=; Path=/; Max-Age=0; HttpOnly; SameSite=Strict\n"),
            std::string::npos)
      << out.output;
  EXPECT_NE(out.output.find(TestSupport::english("msg_signed_out")), std::string::npos);
  // The session is gone for every host: a browser that kept the cookie gets the sign-in form.
  EXPECT_TRUE(isSignInPage(request("control_panel", {{"HTTP_COOKIE", cookie}})));
  EXPECT_NE(request("staff_login", {{"HTTP_COOKIE", cookie}}).output.find("The password was incorrect."),
            std::string::npos);
}

TEST(StaffDoor, SessionsEndAfterAnIdleHourOrTwelveHours) {
  TestSupport::TestDB db;
  const struct {
    const char* change;
    bool open;
  } cases[] = {
      {"lastSeen = NOW() - INTERVAL 59 MINUTE, signedIn = NOW() - INTERVAL 11 HOUR", true},
      {"lastSeen = NOW() - INTERVAL 61 MINUTE", false},
      {"signedIn = NOW() - INTERVAL 12 HOUR - INTERVAL 1 MINUTE", false},
  };
  for (const auto& c : cases) {
    const std::string cookie = signIn();
    db.exec(std::string("UPDATE STAFFSESSION SET ") + c.change + " WHERE tokenHash = SHA2('" + cookie.substr(12) +
            "', 256)");
    EXPECT_EQ(isSignInPage(request("reports", {{"HTTP_COOKIE", cookie}})), !c.open) << c.change;
  }
  // The idle time and the whole time are settings.
  const std::string cookie = signIn();
  db.exec("UPDATE STAFFSESSION SET lastSeen = NOW() - INTERVAL 61 MINUTE WHERE tokenHash = SHA2('" +
          cookie.substr(12) + "', 256)");
  EXPECT_FALSE(isSignInPage(request("reports", {{"HTTP_COOKIE", cookie}, {"AMBRY_SESSION_IDLE_MINUTES", "90"}})));
}

TEST(StaffDoor, SignInPageSpeaksThePageLanguage) {
  CgiResponse page = request("member_editor", {{"HTTP_COOKIE", ""}}, nullptr, "lang=afr&search=1");
  EXPECT_NE(page.output.find("<title>Ashgrove Biblioteek :: Personeel inteken</title>"), std::string::npos)
      << page.output;
  EXPECT_NE(page.output.find("<form method=\"post\" action=\"staff_login.exe?lang=afr\">\n"
                             "<input type=\"hidden\" name=\"return\" value=\"member_editor.exe?lang=afr&amp;search=1\">\n"
                             "<label for=\"signin_password\">Personeel wagwoord:</label>\n"
                             "<input type=\"password\" id=\"signin_password\" name=\"password\" autofocus>\n"
                             "<input type=\"submit\" id=\"signin_submit\" value=\"Teken in\">\n</form>\n"),
            std::string::npos)
      << page.output;
}

}  // namespace
