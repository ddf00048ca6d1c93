// What a page pops up through the site script's pumpMsg, and the English texts it is compared with.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ambry/Ambry.h"
#include "tests/support/Strings.h"

namespace TestSupport {

// The message of every pumpMsg call in the text, in order, as the script literal holds it. Every
// call counts, so that "no pop-up" also rules out one written in another form.
inline std::vector<std::string> popups(const std::string& page) {
  std::vector<std::string> found;
  for (size_t at = page.find("pumpMsg("); at != std::string::npos; at = page.find("pumpMsg(", at + 1)) {
    size_t start = page.compare(at + 8, 1, "'") == 0 ? at + 9 : at + 8;
    found.push_back(page.substr(start, page.find("');", start) - start));  // to the end if unclosed
  }
  return found;
}

// Whether one of the text's pop-ups is exactly message; a failure lists the pop-ups there were.
inline ::testing::AssertionResult popsUp(const std::string& page, const std::string& message) {
  const std::vector<std::string> found = popups(page);
  if (std::find(found.begin(), found.end(), message) != found.end())
    return ::testing::AssertionSuccess() << "pops up \"" << message << "\"";
  return ::testing::AssertionFailure()
         << "no pop-up \"" << message << "\" among " << ::testing::PrintToString(found);
}

// A resource text, and an operation's refusal ("Error in insertBook: ..."), in English; both
// leave the library's language set to English.
inline std::string english(const char* key) {
  Ambry::setLanguage("eng");
  return str(Ambry::getResource(key, false));
}
inline std::string englishError(const char* operation, const char* key) {
  Ambry::setLanguage("eng");
  return str(Ambry::generateError(operation, key));
}

}  // namespace TestSupport
