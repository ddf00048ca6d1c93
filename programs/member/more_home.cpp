// Home page of the area with more about the library.
#include <cstdio>

#include "ambry/framework/Page.h"
#include "ambry/framework/Request.h"
#include "ambry/resources/Resources.h"

using namespace Ambry;

int main() {
  printDefaultHTTPHeader();
  setLanguage(getEnvQueryMap().get("lang", ""));
  setTitle("title_more_area");
  setArea_More();
  printDefaultHeader();
  std::fputs(getResource("content_more_area", false).c_str(), stdout);
  printDefaultFooter();
  return 0;
}
