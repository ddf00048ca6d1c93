// The language that texts are looked up in, chosen once per request from the lang parameter.
#include <cstdio>
#include <cstring>

#include "ambry/escape/Escape.h"
#include "ambry/resources/Tables.h"

namespace Ambry {

using Keystone::String;

// The supported list is searched as plain text, not split at its commas: "fr" or "r,e" is accepted
// too, and the page then shows the missing-language message for every text.
namespace {

bool isSupported(const String& language) {
  return language.length() > 0 && getProperty("supported_languages").find(language, 0) != -1;
}

}  // namespace

void setLanguageQuietly(const String& language) {
  if (isSupported(language)) currentLanguage = language;
}

void setLanguage(const String& language) {
  if (!isSupported(language)) {
    String message = getResource("err_setlanguage", false);
    message.replace("%s", escapeHtml(language));
    std::fputs(message.c_str(), stdout);
    return;
  }
  currentLanguage = language;
}

const String& getLanguage() {
  return currentLanguage;
}

bool isListedLanguage(const String& language) {
  const String list = "," + getProperty("supported_languages") + ",";
  return language.length() > 0 && std::strchr(language.c_str(), ',') == nullptr &&
         list.find("," + language + ",", 0) != -1;
}

}  // namespace Ambry
