// The frame of every page: HTTP header, head, title bar, area menu, footer and script tags.
#pragma once
#include "keystone/Keystone"

namespace Ambry {

// Site areas, each with its own menu file.
enum PageArea { AREA_HOME = 0, AREA_ADMIN = 1, AREA_MEMBER = 2, AREA_MORE = 3 };

// Where a page's one first-level heading is: the title bar, or the content's own text.
enum PageHeading { TITLE_IS_HEADING = 0, CONTENT_HAS_HEADING = 1 };

// Puts the page state back to its load-time values: empty title, home area, the title bar as the
// heading, no script open.
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

// Whether the title bar is the page's first-level heading (the default) or the content writes its own.
void setTitleIsHeading(bool isHeading);

// Doctype and head, the title bar with the skip link and the visiting time, the area's menu, the
// opening of the page's main content and the extend script.
void printDefaultHeader();

// Closes what the header opened.
void printDefaultFooter();

// The start of every page, in this order: HTTP header, language from the URL's "lang", title,
// area, where the heading is, and the page header.
void beginPage(const Keystone::String& titleKey, PageArea area, PageHeading heading = TITLE_IS_HEADING);

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
