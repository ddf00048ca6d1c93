// Home page of the staff area, and the staff sign-in: the password opens a session for this
// browser, and the staff home page is shown to a browser that has one.
#include <cstdio>

#include "ambry/framework/Messages.h"
#include "ambry/framework/Page.h"
#include "ambry/framework/Request.h"
#include "ambry/framework/SessionCookie.h"
#include "ambry/framework/StaffDoor.h"
#include "ambry/resources/Resources.h"

using namespace Ambry;

namespace {

enum class Login { kAccepted, kRefused, kHeldOff, kUnanswered };

struct Outcome {
  Login login = Login::kRefused;
  Keystone::String token;  // of a session opened now
  Keystone::Exception failure;
};

// A posted password is a check under the guess limit: an address that has guessed too often gets
// no answer about it at all. A visit without one (the staff home link) is no check: it finds the
// browser's session or is refused. The posted loggedIn of earlier pages opens nothing.
Outcome checkLogin(const QueryMap& posted) {
  Outcome outcome;
  try {
    const Keystone::String password = posted.get("password", "");
    if (password.length() == 0) {
      outcome.login = isStaffSignedIn() ? Login::kAccepted : Login::kRefused;
      return outcome;
    }
    switch (signInStaff(password, outcome.token)) {
      case StaffSignIn::kSignedIn:
        outcome.login = Login::kAccepted;
        break;
      case StaffSignIn::kWrongPassword:
        outcome.login = Login::kRefused;
        break;
      case StaffSignIn::kHeldOff:
        outcome.login = Login::kHeldOff;
        break;
    }
  } catch (const Keystone::Exception& failure) {
    outcome.login = Login::kUnanswered;
    outcome.failure = failure;
  }
  return outcome;
}

}  // namespace

int main() {
  const QueryMap& posted = getQueryMap();
  setLanguageQuietly(getEnvQueryMap().get("lang", ""));  // for a failure's message
  const Outcome outcome = checkLogin(posted);
  const bool loggedIn = outcome.login == Login::kAccepted;
  if (outcome.token.length() > 0) {
    printSessionCookie(outcome.token);
    // Signed in from a staff page's sign-in form: back to that page.
    const Keystone::String back = staffReturnAddress(posted.get("return", ""));
    if (back.length() > 0) {
      std::printf("Status: 303 See Other\nLocation: %s\n", back.c_str());
      printDefaultHTTPHeader();
      return 0;
    }
  }

  // Until the password is given the page stays in the home area; only the staff home's text has a
  // heading of its own.
  beginPage("title_admin_area", loggedIn ? AREA_ADMIN : AREA_HOME,
            loggedIn ? CONTENT_HAS_HEADING : TITLE_IS_HEADING);
  if (outcome.login == Login::kHeldOff)
    printMessage("err_too_many_guesses", false);
  else if (outcome.login == Login::kUnanswered)
    printError("err_query_unsuccessful_reason", outcome.failure);
  else
    std::fputs(getResource(loggedIn ? "content_admin_area" : "err_admin_area", false).c_str(), stdout);
  endPage();
  return 0;
}
