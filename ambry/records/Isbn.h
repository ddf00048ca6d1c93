// ISBNs as the catalogue keeps them: the EAN-13 that scanners read, so that a scan finds its book.
#pragma once
#include <string>
#include <string_view>

namespace Records {

struct Isbn {
  std::string text;  // what the catalogue stores
  bool valid;        // a real ISBN-10 or ISBN-13 (check digit and length)
};

// The ISBN in what a record or a librarian wrote ("ISBN 0-14-044913-8 (pbk.)"): a leading "ISBN",
// hyphens, blanks and a qualifier in parentheses are left out; a valid ISBN-10 becomes its
// ISBN-13. Anything else is not guessed at: it is kept as written, qualifier and blanks at the
// ends left out, and is not valid.
Isbn normaliseIsbn(std::string_view written);

// The ISBN-10 of an ISBN-13 that begins with 978, or "" (979 numbers have none).
std::string isbn10Of(std::string_view isbn13);

}  // namespace Records
