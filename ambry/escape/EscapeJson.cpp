// The JSON string escaper, and the Unicode letters of the site's Windows-1252 bytes it writes.
#include <cstdio>
#include <string>

#include "ambry/escape/Escape.h"

namespace Ambry {

namespace {

// Windows-1252 differs from Latin-1 only in the bytes 0x80 to 0x9F.
const char32_t kLetters80To9F[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

}  // namespace

char32_t windows1252Letter(unsigned char byte) {
  return byte >= 0x80 && byte <= 0x9F ? kLetters80To9F[byte - 0x80] : byte;
}

Keystone::String escapeJsonString(const Keystone::String& text) {
  std::string out;
  for (int i = 0; i < text.length(); ++i) {
    const unsigned char byte = static_cast<unsigned char>(text[i]);
    // '<' too, so that the text can never close a script element it is placed in.
    if (byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\' && byte != '<') {
      out += static_cast<char>(byte);
      continue;
    }
    char escape[8];
    std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(windows1252Letter(byte)));
    out += escape;
  }
  return Keystone::String(out.c_str());
}

}  // namespace Ambry
