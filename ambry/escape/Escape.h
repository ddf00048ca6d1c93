// The one escaping module: every request or stored value that reaches a page, a file or a statement
// passes through the escaper of its context. It stands below the rest of the library (it needs only
// the foundation types), so that the texts, the page framework and the database all use it; the
// SQL escapers, which need the database's client library, are its part in ambry/db/EscapeSql.h.
#pragma once
#include "keystone/String.h"

namespace Ambry {

// HTML text and attribute values: & < > " ' become character references.
Keystone::String escapeHtml(const Keystone::String& text);

// Body of a JavaScript string literal in either quote style, safe inside a script element:
// backslash, both quotes, line feed, carriage return and < are escaped.
Keystone::String escapeJsString(const Keystone::String& text);

// As escapeJsString, for a value a browser posted: a character reference it made of a letter
// that the page's character set lacks ("&#281;") becomes that letter again ("\u0119"), so that a
// form refused for holding one shows back what was typed.
Keystone::String escapeJsStringAsTyped(const Keystone::String& text);

// A letter that Windows-1252 lacks (ę, Ł) reaches a posted value as a decimal character reference
// ("&#281;"), which is no text of its own. The code point of the reference that text starts with,
// or -1 when it starts with none; its length in bytes goes to length.
long characterReferenceAt(const char* text, int* length);

// True when value holds such a reference anywhere.
bool holdsCharacterReference(const Keystone::String& value);

// True when the value is a plain decimal number: an optional sign, digits, at most one decimal
// point, and at least one digit.
bool isPlainNumber(const Keystone::String& value);

// One cell of a CSV file (RFC 4180): a text that a spreadsheet would run as a formula (it begins
// with =, +, -, @, a tab or a carriage return) gets a leading single quote, unless it is a plain
// number; a cell holding a comma, a double quote or a line break is enclosed in double quotes, its
// double quotes doubled. SVG text inside a page needs nothing beyond escapeHtml.
Keystone::String escapeCsvCell(const Keystone::String& value);

// The Unicode letter of a byte of the site's Windows-1252 text; the five bytes that Windows-1252
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) give U+FFFD.
char32_t windows1252Letter(unsigned char byte);

// Body of a JSON string: the quote, the backslash and every byte that is not printable ASCII
// become \u escapes, Windows-1252 bytes as the Unicode letters they stand for, so the JSON text
// is plain ASCII and reads the same whatever character set the browser assumes.
Keystone::String escapeJsonString(const Keystone::String& text);

// A value of a MariaDB tools' option file, between double quotes: the tools read \\, \", \n and
// \r back as the characters themselves, so every password and user name is passed on as it stands.
Keystone::String escapeOptionValue(const Keystone::String& value);

}  // namespace Ambry
