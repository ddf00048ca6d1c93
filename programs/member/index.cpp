// The home page: the library's welcome text with the visitor count.
#include <cstdio>

#include "ambry/Ambry.h"

using Keystone::String;

int main() {
  Ambry::printDefaultHTTPHeader();
  // The home page is the site's entry point and is often asked for without any parameter:
  // then it simply keeps the default language instead of reporting an empty one.
  if (Ambry::getEnvQueryMap().contains("lang")) Ambry::setLanguage(Ambry::getEnvQueryMap()["lang"]);
  Ambry::setTitle("");
  Ambry::setArea_Home();
  Ambry::printDefaultHeader();

  Ambry::Counter::inc(1);
  const int visitors = Ambry::Counter::get();
  // The welcome text is filled here rather than used as a format, so that nothing in it is
  // ever taken for a directive.
  String content = Ambry::getResource("content_index", false);
  content.replace("%s", Ambry::getResource("library_name", false));
  content.replace("%d", String(visitors));
  std::fputs(content.c_str(), stdout);

  Ambry::printDefaultFooter();
  return 0;
}
