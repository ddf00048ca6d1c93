// Book search form of the member area: author, title and ISBN.
#include <cstdio>

#include "ambry/framework/Page.h"
#include "ambry/framework/Request.h"
#include "ambry/resources/MemberForm.h"
#include "ambry/resources/Resources.h"

using namespace Ambry;

int main() {
  printDefaultHTTPHeader();
  setLanguage(getEnvQueryMap().get("lang", ""));
  setTitle("title_patron_lookup");
  setArea_Member();
  printDefaultHeader();

  // "ISBN" reads the same in both languages and has no text of its own.
  static const MemberFormField fields[] = {
      {"author", "text", "caption_field_author", nullptr},
      {"title", "text", "caption_field_title", nullptr},
      {"isbn", "text", nullptr, "ISBN"},
  };
  MemberForm form = {"title_patron_lookup",
                     "patron_lookup",
                     "desc_request_search_info",
                     fields,
                     3,
                     getResource("caption_search", false) + "!"};
  std::fputs(memberFormText(form).c_str(), stdout);

  printDefaultFooter();
  return 0;
}
