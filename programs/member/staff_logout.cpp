// Signing out of the staff area: the browser's session ends on every web host, and the browser
// forgets its cookie.
#include "ambry/framework/Guarded.h"
#include "ambry/framework/Messages.h"
#include "ambry/framework/Page.h"
#include "ambry/framework/SessionCookie.h"
#include "ambry/framework/StaffDoor.h"

using namespace Ambry;

int main() {
  printSessionCookieRemoval();
  beginPage("title_staff_signout", AREA_HOME);
  if (runGuarded("err_query_unsuccessful", [] { signOutStaff(); })) printMessage("msg_signed_out", false);
  endPage();
  return 0;
}
