// The HTML, JavaScript and option-file escapers, character references and the number test.
#include "ambry/escape/Escape.h"

#include <cstdio>
#include <cstring>
#include <string>

using Keystone::String;

namespace Ambry {

namespace {

// The backslash escapes that a JavaScript string literal and an option-file value share: the
// backslash, the double quote and the line breaks; any other character is appended as it is.
void appendBackslashed(char c, std::string& out) {
  switch (c) {
    case '\\':
      out += "\\\\";
      break;
    case '"':
      out += "\\\"";
      break;
    case '\n':
      out += "\\n";
      break;
    case '\r':
      out += "\\r";
      break;
    default:
      out += c;
  }
}

// One character of a JavaScript string literal in either quote style, safe inside a script element.
void appendJsEscaped(char c, std::string& out) {
  if (c == '\'') {
    out += "\\'";
  } else if (c == '<') {
    // A raw "<" could start "</script>" and end the script element around the literal.
    out += "\\x3C";
  } else {
    appendBackslashed(c, out);
  }
}

// A code point as \uXXXX, beyond the first plane as its two surrogates.
void appendJsCodePoint(long code, std::string& out) {
  char unit[8];
  if (code > 0xFFFF) {
    code -= 0x10000;
    std::snprintf(unit, sizeof unit, "\\u%04lX", 0xD800 + (code >> 10));
    out += unit;
    code = 0xDC00 + (code & 0x3FF);
  }
  std::snprintf(unit, sizeof unit, "\\u%04lX", code);
  out += unit;
}

}  // namespace

long characterReferenceAt(const char* text, int* length) {
  if (text[0] != '&' || text[1] != '#') return -1;
  long code = 0;
  int i = 2;
  // Seven digits reach beyond the last code point, 1114111.
  for (; i < 9 && text[i] >= '0' && text[i] <= '9'; ++i) code = code * 10 + (text[i] - '0');
  if (i == 2 || text[i] != ';') return -1;
  *length = i + 1;
  return code;
}

bool holdsCharacterReference(const String& value) {
  int length = 0;
  for (const char* p = std::strchr(value.c_str(), '&'); p; p = std::strchr(p + 1, '&'))
    if (characterReferenceAt(p, &length) >= 0) return true;
  return false;
}

String escapeHtml(const String& text) {
  // Most text has nothing to escape: it is then copied once, not rebuilt character by character.
  if (!std::strpbrk(text.c_str(), "&<>\"'")) return text;
  std::string out;
  for (int i = 0; i < text.length(); ++i) {
    const char c = text[i];
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out += c;
    }
  }
  return String(out.c_str());
}

String escapeJsString(const String& text) {
  std::string out;
  for (int i = 0; i < text.length(); ++i) appendJsEscaped(text[i], out);
  return String(out.c_str());
}

String escapeJsStringAsTyped(const String& text) {
  std::string out;
  for (int i = 0; i < text.length();) {
    int length = 0;
    const long code = characterReferenceAt(text.c_str() + i, &length);
    // Only letters beyond the first 256 code points: a browser sends every other one as its byte.
    if (code >= 0x100 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
      appendJsCodePoint(code, out);
      i += length;
    } else {
      appendJsEscaped(text[i++], out);
    }
  }
  return String(out.c_str());
}

bool isPlainNumber(const String& value) {
  int i = (value[0] == '+' || value[0] == '-') ? 1 : 0;
  bool digit = false;
  bool point = false;
  for (; i < value.length(); ++i) {
    const char c = value[i];
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digit;
}

Keystone::String escapeOptionValue(const Keystone::String& value) {
  std::string out = "\"";
  for (const char* p = value.c_str(); *p; ++p) appendBackslashed(*p, out);
  return Keystone::String((out + "\"").c_str());
}

}  // namespace Ambry
