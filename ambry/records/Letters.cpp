// Letters: composing UTF-8 with ICU and moving between UTF-8 and the site's Windows-1252.
#include "ambry/records/Letters.h"

#include <unicode/unorm2.h>
#include <unicode/ustring.h>
#include <unicode/utf8.h>

#include "ambry/escape/Escape.h"

namespace Records {

namespace {

// MARC's marks around the words a catalogue sorts past ("The" in "The Hobbit"): never letters.
bool isNonSortingMark(char32_t c) {
  return c == 0x88 || c == 0x89 || c == 0x98 || c == 0x9C;
}

// The Windows-1252 byte of a letter, or -1 when it has none.
int windows1252Byte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (int byte = 0x80; byte <= 0x9F; ++byte)
    if (Ambry::windows1252Letter(static_cast<unsigned char>(byte)) == c && c != 0xFFFD) return byte;
  return -1;
}

// One letter into the site text: blanks for tabs and line breaks, '?' (named) for what cannot be
// written or is no letter at all.
void appendLetter(char32_t c, SiteText& out) {
  if (isNonSortingMark(c)) return;
  if (c == '\t' || c == '\n' || c == '\r') {
    out.text += ' ';
    return;
  }
  const int byte = c < 0x20 || (c >= 0x7F && c < 0xA0) ? -1 : windows1252Byte(c);
  if (byte < 0) {
    out.text += '?';
    out.unwritable.push_back(c);
    return;
  }
  out.text += static_cast<char>(byte);
}

// The text in ICU's UTF-16, composed; false when the bytes are no UTF-8 or ICU fails.
bool composedUtf16(std::string_view utf8, std::u16string& composed) {
  UErrorCode status = U_ZERO_ERROR;
  std::u16string decomposed(utf8.size() + 1, u'\0');
  int32_t length = 0;
  u_strFromUTF8(reinterpret_cast<UChar*>(&decomposed[0]), static_cast<int32_t>(decomposed.size()), &length,
                utf8.data(), static_cast<int32_t>(utf8.size()), &status);
  if (U_FAILURE(status)) return false;
  const UNormalizer2* nfc = unorm2_getNFCInstance(&status);
  if (U_FAILURE(status)) return false;
  // Composing never lengthens a text.
  composed.assign(static_cast<size_t>(length) + 1, u'\0');
  const int32_t done = unorm2_normalize(nfc, reinterpret_cast<const UChar*>(decomposed.data()), length,
                                        reinterpret_cast<UChar*>(&composed[0]),
                                        static_cast<int32_t>(composed.size()), &status);
  if (U_FAILURE(status)) return false;
  composed.resize(static_cast<size_t>(done));
  return true;
}

}  // namespace

bool isUtf8(std::string_view bytes) {
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  const int32_t length = static_cast<int32_t>(bytes.size());
  for (int32_t i = 0; i < length;) {
    UChar32 c;
    U8_NEXT(data, i, length, c);
    if (c < 0) return false;
  }
  return true;
}

SiteText fromUtf8(std::string_view utf8) {
  SiteText out;
  std::u16string composed;
  if (!isUtf8(utf8) || !composedUtf16(utf8, composed)) {
    // Whatever is no UTF-8 is not guessed at: the readable ASCII stays, the rest is marked.
    out.undecodable = true;
    for (char c : utf8) {
      if (static_cast<unsigned char>(c) < 0x80)
        appendLetter(static_cast<char32_t>(c), out);
      else
        out.text += '?';
    }
    return out;
  }
  out.text.reserve(composed.size());
  for (size_t i = 0; i < composed.size();) {
    UChar32 c;
    U16_NEXT(composed.data(), i, composed.size(), c);
    appendLetter(static_cast<char32_t>(c), out);
  }
  return out;
}

SiteText fromWindows1252(std::string_view bytes) {
  SiteText out;
  out.text.reserve(bytes.size());
  for (char byte : bytes) {
    const char32_t letter = Ambry::windows1252Letter(static_cast<unsigned char>(byte));
    if (letter == 0xFFFD || (letter < 0x20 && letter != '\t' && letter != '\n' && letter != '\r')) {
      out.text += '?';
      out.undecodable = true;
      continue;
    }
    appendLetter(letter, out);
  }
  return out;
}

std::string toUtf8(std::string_view windows1252) {
  std::string out;
  out.reserve(windows1252.size() + windows1252.size() / 8);
  for (char byte : windows1252) {
    const char32_t c = Ambry::windows1252Letter(static_cast<unsigned char>(byte));
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace Records
