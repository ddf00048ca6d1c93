// A plain model of request decoding, shared by the fuzz targets of the decoder and the query map.
#pragma once
#include <string>

namespace RequestModel {

inline int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The bytes decoding keeps: all but the control bytes other than tab, line feed and carriage
// return, DEL, and the five that Windows-1252 leaves undefined.
inline bool kept(unsigned char c) {
  if (c < 32) return c == '\t' || c == '\n' || c == '\r';
  return c != 0x7F && c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D;
}

// '+' is a blank, %XX with upper-case digits is the byte, any other '%' stays; then every byte
// that is not kept becomes a blank.
inline std::string decode(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '+') {
      out += ' ';
    } else if (text[i] == '%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
               hexDigit(text[i + 2]) >= 0) {
      out += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  for (char& c : out)
    if (!kept(static_cast<unsigned char>(c))) c = ' ';
  return out;
}

}  // namespace RequestModel
