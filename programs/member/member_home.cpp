// Home page of the member area.
#include <cstdio>

#include "ambry/framework/Page.h"
#include "ambry/framework/Request.h"
#include "ambry/resources/Resources.h"

using namespace Ambry;

int main() {
  printDefaultHTTPHeader();
  setLanguage(getEnvQueryMap().get("lang", ""));
  setTitle("title_member_area");
  setArea_Member();
  printDefaultHeader();
  std::fputs(getResource("content_member_area", false).c_str(), stdout);
  printDefaultFooter();
  return 0;
}
