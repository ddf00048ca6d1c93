// Home page of the member area.
#include <cstdio>

#include "ambry/framework/Page.h"
#include "ambry/resources/Resources.h"

using namespace Ambry;

int main() {
  beginPage("title_member_area", AREA_MEMBER, CONTENT_HAS_HEADING);
  std::fputs(getResource("content_member_area", false).c_str(), stdout);
  endPage();
  return 0;
}
