// The frame of every page: HTTP header, head, title bar, area menu, footer and script tags.
#pragma once
#include "keystone/Keystone"

namespace Ambry {

// Site areas, each with its own menu file.
enum PageArea { AREA_HOME = 0, AREA_ADMIN = 1, AREA_MEMBER = 2, AREA_MORE = 3 };

// Puts the page state back to its load-time values: empty title, home area, no script open.
void initPageState();

// "Content-Type: text/html; charset=windows-1252" and the empty line that ends the HTTP header.
void printDefaultHTTPHeader();

// Title = library name, followed by " :: " and the text of key when key is not empty.
void setTitle(const Keystone::String& key);
const Keystone::String& getTitle();

void setArea_Home();
void setArea_Admin();
void setArea_Member();
void setArea_More();
int getArea();

// Head, title bar with the visiting time, the area's menu and the extend script.
void printDefaultHeader();

// Closes what the header opened.
void printDefaultFooter();

// The start of every page, in this order: HTTP header, language from the URL's "lang", title,
// area, and the page header.
void beginPage(const Keystone::String& titleKey, PageArea area);

// The end of every page: the footer.
void endPage();

// Opens a script element (with attributes when not empty) and marks a script as open.
void beginJavaScriptTag(const Keystone::String& attributes);

// Closes the script element and clears the mark.
void endScriptTag();

// True between beginJavaScriptTag and endScriptTag.
bool isScriptOpen();

// Tells the site script to go back one page.
void goBack();

// Writes a text file verbatim; a file that cannot be opened writes nothing.
void printFile(const Keystone::String& path);

// The data folder followed by name.
Keystone::String getDataFilePath(const Keystone::String& name);

}  // namespace Ambry
