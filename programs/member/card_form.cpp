// Membership information form of the member area: member ID and password.
#include <cstdio>

#include "ambry/framework/Page.h"
#include "ambry/framework/Request.h"
#include "ambry/resources/MemberForm.h"
#include "ambry/resources/Resources.h"

using namespace Ambry;

int main() {
  printDefaultHTTPHeader();
  setLanguage(getEnvQueryMap().get("lang", ""));
  setTitle("title_patron_card");
  setArea_Member();
  printDefaultHeader();

  static const MemberFormField fields[] = {
      {"memberid", "text", "caption_field_memberid", nullptr},
      {"password", "password", "caption_field_password", nullptr},
  };
  MemberForm form = {"title_patron_card",
                     "patron_card",
                     "desc_request_patron_card",
                     fields,
                     2,
                     getResource("caption_retrieve_info", false)};
  std::fputs(memberFormText(form).c_str(), stdout);

  printDefaultFooter();
  return 0;
}
