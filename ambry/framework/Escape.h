// The one escaping module: every request or stored value that reaches a page or a statement
// passes through the escaper of its context.
#pragma once
#include "keystone/String.h"

typedef struct st_mysql MYSQL;

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

// Body of a single-quoted SQL text literal, escaped by the client library for the open connection.
Keystone::String escapeSqlText(MYSQL* connection, const Keystone::String& value);

// Body of a single-quoted SQL LIKE pattern that matches the value as it stands: the wildcards
// % and _ and the escape character \ are escaped for LIKE, then the text as escapeSqlText does.
Keystone::String escapeSqlLike(MYSQL* connection, const Keystone::String& value);

// A quoted SQL text literal: "'" + escapeSqlText(value) + "'".
Keystone::String sqlText(MYSQL* connection, const Keystone::String& value);

// True when the value is a plain decimal number: an optional sign, digits, at most one decimal
// point, and at least one digit.
bool isPlainNumber(const Keystone::String& value);

// A value for a place where a statement writes a number bare: the value itself when it is a plain
// decimal number, otherwise a quoted text literal, so that it can be compared or rejected but
// never change the statement.
Keystone::String sqlNumber(MYSQL* connection, const Keystone::String& value);

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
