// Home page of the staff area, shown only after the staff password has been given.
#include <cstdio>

#include "ambry/framework/Page.h"
#include "ambry/framework/Request.h"
#include "ambry/resources/Resources.h"

using namespace Ambry;

namespace {

// A page of the staff area posts loggedIn to come back here; the login form posts the password,
// which must match exactly, letter case included.
bool isLoggedIn(const QueryMap& posted) {
  if (posted.contains("loggedIn")) return true;
  return posted.get("password", "") == getProperty("admin_password");
}

}  // namespace

int main() {
  const bool loggedIn = isLoggedIn(getQueryMap());

  printDefaultHTTPHeader();
  setLanguage(getEnvQueryMap().get("lang", ""));
  setTitle("title_admin_area");
  if (loggedIn) setArea_Admin();  // otherwise the page stays in the home area
  printDefaultHeader();
  std::fputs(getResource(loggedIn ? "content_admin_area" : "err_admin_area", false).c_str(), stdout);
  printDefaultFooter();
  return 0;
}
