// Home page of the staff area, shown only after the staff password has been given.
#include <cstdio>

#include "ambry/framework/Page.h"
#include "ambry/framework/Messages.h"
#include "ambry/framework/Request.h"
#include "ambry/framework/Throttle.h"
#include "ambry/resources/Resources.h"

using namespace Ambry;

namespace {

enum class Login { Accepted, Refused, HeldOff };

// A page of the staff area posts loggedIn to come back here; the login form posts the password,
// which must match exactly, letter case included. An address that has guessed too often gets no
// answer about the password at all.
Login checkLogin(const QueryMap& posted) {
  if (posted.contains("loggedIn")) return Login::Accepted;
  if (!startPasswordCheck()) return Login::HeldOff;
  if (posted.get("password", "") != getProperty("admin_password")) return Login::Refused;
  passwordAccepted();
  return Login::Accepted;
}

}  // namespace

int main() {
  const Login login = checkLogin(getQueryMap());
  const bool loggedIn = login == Login::Accepted;

  // Until the password is given the page stays in the home area.
  beginPage("title_admin_area", loggedIn ? AREA_ADMIN : AREA_HOME);
  if (login == Login::HeldOff)
    printMessage("err_too_many_guesses", false);
  else
    std::fputs(getResource(loggedIn ? "content_admin_area" : "err_admin_area", false).c_str(), stdout);
  endPage();
  return 0;
}
