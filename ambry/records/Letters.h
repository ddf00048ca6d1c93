// Letters: text of the library world's files (UTF-8, MARC-8 already decoded to UTF-8) in composed
// form and written in the site's Windows-1252, with every letter that cannot be written named.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace Records {

// A text written in Windows-1252, and what could not be written into it.
struct SiteText {
  std::string text;
  std::vector<char32_t> unwritable;  // letters Windows-1252 has not, each stored as '?'
  bool undecodable = false;          // bytes that are no UTF-8 at all, stored as '?'
};

// UTF-8 in its composed form (e + combining circumflex becomes the one letter e-circumflex), then
// as Windows-1252. The MARC non-sorting marks are left out; tabs and line breaks become blanks.
SiteText fromUtf8(std::string_view utf8);

// Windows-1252 bytes as they stand, checked: a byte Windows-1252 leaves undefined, or a control
// byte, is not a letter and is stored as '?' (tabs and line breaks become blanks).
SiteText fromWindows1252(std::string_view bytes);

// Site text as UTF-8 (for the library world's files, which are UTF-8).
std::string toUtf8(std::string_view windows1252);

// True when the bytes are well-formed UTF-8.
bool isUtf8(std::string_view bytes);

}  // namespace Records
