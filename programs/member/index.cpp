// The home page: the library's welcome text with the visitor count.
#include <cstdio>

#include "ambry/Ambry.h"

using Keystone::String;

int main() {
  // Like every page, the language comes from the URL; the site's entry address carries it.
  Ambry::beginPage("", Ambry::AREA_HOME);

  Ambry::Counter::inc(1);
  const int visitors = Ambry::Counter::get();
  // The welcome text is filled here rather than used as a format, so that nothing in it is
  // ever taken for a directive.
  String content = Ambry::getResource("content_index", false);
  content.replace("%s", Ambry::getResource("library_name", false));
  content.replace("%d", String(visitors));
  std::fputs(content.c_str(), stdout);

  Ambry::endPage();
  return 0;
}
