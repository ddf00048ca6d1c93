// The page frame: HTTP header, head with the page's script variables, title bar, menu, the main
// content's landmark, footer.
#include "ambry/framework/Page.h"

#include <strings.h>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "ambry/escape/Escape.h"
#include "ambry/framework/Request.h"
#include "ambry/resources/Resources.h"

extern char** environ;

using Keystone::String;

namespace Ambry {

namespace {

// Constant-initialised, so the state is valid whenever the library's load-time code runs.
int gArea = AREA_HOME;
bool gScriptOpen = false;
bool gTitleIsHeading = true;

// Made on first use and never destroyed, so it outlives every other static of the library.
String& title() {
  static String* current = new String();
  return *current;
}

// The value of an environment variable whose name matches without regard to case, as the
// web server's SCRIPT_NAME must be found under "script_name".
String getEnvNoCase(const char* name) {
  const size_t length = std::strlen(name);
  for (char** entry = environ; entry && *entry; ++entry) {
    if (strncasecmp(*entry, name, length) == 0 && (*entry)[length] == '=') {
      return String(*entry + length + 1);
    }
  }
  return String();
}

const char* areaWord(int area) {
  switch (area) {
    case AREA_ADMIN:
      return "admin";
    case AREA_MEMBER:
      return "member";
    case AREA_MORE:
      return "more";
    default:
      return "home";
  }
}

// The page's language as HTML names it. Only the quirk of the language check lets another code
// through, and such a page shows the English messages of missing texts.
const char* htmlLanguage(const String& code) {
  return code == "afr" ? "af" : "en";
}

// The header setting with its placeholders filled by text replacement, never by printf: each "%s"
// or "%d" takes the next of values in turn (none left: nothing), "%%" gives '%', and any other
// '%' stays as it stands. Inserted values are not looked at again.
std::string fillPlaceholders(const char* text, const std::vector<std::string>& values) {
  std::string out;
  size_t next = 0;
  for (const char* p = text; *p; ++p) {
    if (p[0] == '%' && (p[1] == 's' || p[1] == 'd')) {
      if (next < values.size()) out += values[next];
      ++next;
      ++p;
    } else if (p[0] == '%' && p[1] == '%') {
      out += '%';
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

}  // namespace

void initPageState() {
  title() = String();
  gArea = AREA_HOME;
  gScriptOpen = false;
  gTitleIsHeading = true;
}

void printDefaultHTTPHeader() {
  // The page texts and every stored value are single-byte Windows-1252: a browser left to guess
  // shows "Krêeftige" as "Kręeftige" and would post what is typed in another character set.
  std::fputs("Content-Type: text/html; charset=windows-1252\n\n", stdout);
}

void setTitle(const String& key) {
  String text = getResource("library_name", false);
  if (key.length() > 0) text += String(" :: ") + getResource(key, false);
  title() = text;
}

const String& getTitle() {
  return title();
}

void setArea_Home() {
  gArea = AREA_HOME;
}
void setArea_Admin() {
  gArea = AREA_ADMIN;
}
void setArea_Member() {
  gArea = AREA_MEMBER;
}
void setArea_More() {
  gArea = AREA_MORE;
}
int getArea() {
  return gArea;
}

void setTitleIsHeading(bool isHeading) {
  gTitleIsHeading = isHeading;
}

void printDefaultHeader() {
  const time_t now = std::time(nullptr);
  const String address = getEnvNoCase("script_name") + "?" + mapToQuery(getEnvQueryMap());
  String entryFormTag;
  if (gArea == AREA_ADMIN) {
    entryFormTag = String("<script language=\"JavaScript\" src=\"") +
                   getDataFilePath(getProperty("file_entryform")) + "\"></script>\n";
  }
  // Standards mode, and the language that screen readers speak the page in.
  std::printf("<!DOCTYPE html>\n<html lang=\"%s\">\n", htmlLanguage(getLanguage()));
  // The header setting's placeholders take language, entry form script, address and area; the
  // address is request data, escaped so that it stays inside its string literal.
  const String header = getProperty("header");
  std::fputs(fillPlaceholders(header.c_str(), {getLanguage().c_str(), entryFormTag.c_str(),
                                               escapeJsString(address).c_str(), std::to_string(gArea)})
                 .c_str(),
             stdout);
  std::printf("<title>%s</title>\n", title().c_str());
  std::fputs(getProperty("body_start").c_str(), stdout);
  // The skip link leads keyboard users past the title bar and the menu; the title is the page's
  // heading unless the content has one of its own.
  const char* visit = std::ctime(&now);
  const char* titleTag = gTitleIsHeading ? "h1" : "p";
  std::printf("<a class=\"skiplink\" href=\"#content\">%s</a>\n<%s class=\"pagetitle\">%s</%s>\n",
              getResource("caption_skip_to_content", false).c_str(), titleTag, title().c_str(), titleTag);
  std::printf("<p class=\"visittime\">%s: %s</p>\n</header>\n", getResource("visiting_time", false).c_str(),
              visit ? visit : "\n");
  printFile(getDataFilePath(String("menu_") + areaWord(gArea) + ".txt"));
  std::fputs("<main id=\"content\">\n", stdout);
  handleQuery();
}

void printDefaultFooter() {
  std::fputs(getProperty("footer").c_str(), stdout);
}

void beginPage(const String& titleKey, PageArea area, PageHeading heading) {
  printDefaultHTTPHeader();
  setLanguage(getEnvQueryMap().get("lang", ""));
  setTitle(titleKey);
  setTitleIsHeading(heading == TITLE_IS_HEADING);
  switch (area) {
    case AREA_ADMIN:
      setArea_Admin();
      break;
    case AREA_MEMBER:
      setArea_Member();
      break;
    case AREA_MORE:
      setArea_More();
      break;
    default:
      setArea_Home();
  }
  printDefaultHeader();
}

void endPage() {
  printDefaultFooter();
}

void beginJavaScriptTag(const String& attributes) {
  std::fputs("<script language=\"JavaScript\"", stdout);
  if (attributes.length() > 0) {
    std::fputc(' ', stdout);
    std::fputs(attributes.c_str(), stdout);
  }
  std::fputs(">\n", stdout);
  gScriptOpen = true;
}

void endScriptTag() {
  std::fputs("</script>\n", stdout);
  gScriptOpen = false;
}

bool isScriptOpen() {
  return gScriptOpen;
}

void goBack() {
  beginJavaScriptTag("");
  std::fputs("   bGoBack = true;\n", stdout);
  endScriptTag();
}

void printFile(const String& path) {
  FILE* file = std::fopen(path.c_str(), "r");
  if (!file) return;
  std::string content;
  char block[4096];
  size_t n;
  while ((n = std::fread(block, 1, sizeof block, file)) > 0) content.append(block, n);
  std::fclose(file);
  // The text ends at the first NUL, as a zero-filled buffer would end it.
  std::fputs(content.c_str(), stdout);
}

String getDataFilePath(const String& name) {
  return getProperty("path_data") + name;
}

}  // namespace Ambry
