// The frame every page is written in, as the exact-page tests expect it: the head, the title bar up
// to the visiting time, what follows the time up to the program's content, and the footer.
#pragma once
#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace TestSupport {

// The footer, which ends every page.
const char* const kPageEnd = "</main>\n</body>\n</html>";

// What opens the program's content, after the area's menu.
const char* const kContentStart = "<main id=\"content\">\n";

// From the doctype to the end of the head, for a page in language ("eng" or "afr") with its title,
// its own address and its area (the staff area loads the entry form script).
inline std::string pageHead(const std::string& language, const std::string& title, const std::string& address,
                            int area) {
  return "<!DOCTYPE html>\n<html lang=\"" + std::string(language == "afr" ? "af" : "en") +
         "\">\n<head>\n<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
         "<link rel=\"stylesheet\" type=\"text/css\" href=\"/data/style.css\">\n"
         "<script language=\"JavaScript\" src=\"/data/" +
         language +
         "_resource.js\"></script>\n<script language=\"JavaScript\" src=\"/data/ambry.js\"></script>\n" +
         (area == 1 ? "<script language=\"JavaScript\" src=\"../data/entryform.js\"></script>\n" : "") +
         "<script language=\"JavaScript\">\n   script_name = \"" + address +
         "\"\n   area = " + std::to_string(area) + "\n</script>\n<title>" + title + "</title>\n</head>\n";
}

// After the head, up to the visiting time's value: the body, the skip link, the title (the page's
// first-level heading, or plain text when the content has a heading of its own) and the time's label.
inline std::string titleBar(const std::string& language, const std::string& title, bool titleIsHeading) {
  const bool afrikaans = language == "afr";
  const std::string tag = titleIsHeading ? "h1" : "p";
  return "<body onload=\"onLoadHandler();\" onscroll=\"onScrollHandler()\">\n<header class=\"titlebar\">\n"
         "<a class=\"skiplink\" href=\"#content\">" +
         std::string(afrikaans ? "Spring na die inhoud" : "Skip to the content") + "</a>\n<" + tag +
         " class=\"pagetitle\">" + title + "</" + tag + ">\n<p class=\"visittime\">" +
         (afrikaans ? "Besoektyd" : "Visiting time") + ": ";
}

// After the visiting time (a ctime text with its line feed): the end of the title bar, the area's
// menu and the opening of the content.
inline std::string afterVisitTime(const std::string& menu) {
  return "</p>\n</header>\n" + menu + kContentStart;
}

// What keeps the page's fields from being named and found: an id that more than one element has, a
// label or aria-labelledby that names no id of the page. Empty when there is none.
inline std::vector<std::string> idFaults(const std::string& page) {
  std::map<std::string, int> ids;
  const auto eachValue = [&page](const std::string& attribute, auto use) {
    for (size_t at = page.find(attribute); at != std::string::npos; at = page.find(attribute, at + 1)) {
      const size_t start = at + attribute.size();
      use(page.substr(start, page.find('"', start) - start));
    }
  };
  eachValue(" id=\"", [&ids](const std::string& id) { ++ids[id]; });
  std::vector<std::string> faults;
  for (const auto& [id, count] : ids)
    if (count > 1) faults.push_back(std::to_string(count) + " elements with the id " + id);
  const auto named = [&ids, &faults](const std::string& references) {
    for (size_t start = 0; start < references.size();) {
      const size_t end = std::min(references.find(' ', start), references.size());
      if (!ids.count(references.substr(start, end - start)))
        faults.push_back("nothing with the id " + references.substr(start, end - start));
      start = end + 1;
    }
  };
  eachValue("<label for=\"", named);
  eachValue(" aria-labelledby=\"", named);
  return faults;
}

}  // namespace TestSupport
