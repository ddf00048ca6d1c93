// Reservation form of the member area: member ID, password and the ID of the book to reserve.
#include <cstdio>

#include "ambry/framework/Page.h"
#include "ambry/framework/Request.h"
#include "ambry/resources/MemberForm.h"
#include "ambry/resources/Resources.h"

using namespace Ambry;

int main() {
  printDefaultHTTPHeader();
  setLanguage(getEnvQueryMap().get("lang", ""));
  setTitle("title_patron_hold");
  setArea_Member();
  printDefaultHeader();

  static const MemberFormField fields[] = {
      {"memberid", "text", "caption_field_memberid", nullptr},
      {"password", "password", "caption_field_password", nullptr},
      {"bookid", "text", "caption_field_bookid", nullptr},
  };
  MemberForm form = {"title_patron_hold",
                     "patron_hold",
                     "desc_request_patron_card",
                     fields,
                     3,
                     getResource("title_patron_hold", false) + "!"};
  std::fputs(memberFormText(form).c_str(), stdout);

  printDefaultFooter();
  return 0;
}
