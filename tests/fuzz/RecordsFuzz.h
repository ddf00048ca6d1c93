// What every book a fuzzed file gives must be, however the file was made: site text the
// catalogue can store, and values of the kinds its columns hold.
#pragma once
#include <string>

#include "ambry/records/BookMapping.h"
#include "tests/fuzz/FuzzSupport.h"

namespace FuzzSupport {

inline bool isSiteText(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) < 0x20) return false;
  return true;
}

inline bool isPrice(const std::string& price) {
  const size_t point = price.find('.');
  return point != std::string::npos && point > 0 && point <= 8 && price.size() == point + 3 &&
         price.find_first_not_of("0123456789.") == std::string::npos;
}

inline void checkDraft(const Records::BookDraft& draft) {
  check(draft.number >= 1, "records are numbered from 1");
  if (draft.skipped) {
    check(!draft.notes.empty(), "a skipped record says why");
    return;
  }
  for (const std::string* text : {&draft.author, &draft.title, &draft.isbn, &draft.dewey, &draft.price})
    check(!text->empty() && isSiteText(*text), "a book's values are there and hold no control bytes");
  const int dewey = std::stoi(draft.dewey);
  check(dewey >= 0 && dewey <= 999 && std::to_string(dewey) == draft.dewey, "a Dewey class is 0 to 999");
  check(isPrice(draft.price), "a price has two decimals and fits DECIMAL(10,2)");
  check(draft.condition.empty() || (std::stoi(draft.condition) >= 1 && std::stoi(draft.condition) <= 10),
        "a condition is 1 to 10 or the file's choice");
}

}  // namespace FuzzSupport
