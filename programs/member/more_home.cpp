// Home page of the area with more about the library.
#include <cstdio>

#include "ambry/framework/Page.h"
#include "ambry/resources/Resources.h"

using namespace Ambry;

int main() {
  beginPage("title_more_area", AREA_MORE, CONTENT_HAS_HEADING);
  std::fputs(getResource("content_more_area", false).c_str(), stdout);
  endPage();
  return 0;
}
