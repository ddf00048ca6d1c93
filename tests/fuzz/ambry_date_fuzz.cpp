// Fuzz target: AmbryDate reads fixed positions by the atoi rule and orders dates as a total order.
#include <cstdlib>
#include <string>
#include <tuple>

#include "ambry/framework/AmbryDate.h"
#include "tests/fuzz/FuzzSupport.h"

using Ambry::AmbryDate;
using FuzzSupport::check;
using Keystone::String;

namespace {

// The atoi value of the characters at [start, start + count) that exist.
int modelPart(const std::string& text, size_t start, size_t count) {
  if (start >= text.size()) return 0;
  return std::atoi(text.substr(start, count).c_str());
}

void checkParsed(const std::string& text, const AmbryDate& date) {
  check(date.getYear() == modelPart(text, 0, 4), "year from positions 0 to 3");
  check(date.getMonth() == modelPart(text, 5, 2), "month from positions 5 and 6");
  check(date.getDay() == modelPart(text, 8, 2), "day from positions 8 and 9");
}

std::tuple<int, int, int> fields(const AmbryDate& date) {
  return std::make_tuple(date.getYear(), date.getMonth(), date.getDay());
}

// Year, then month, then day; exactly one of a < b, b < a and equality holds.
void checkOrder(const AmbryDate& a, const AmbryDate& b) {
  check((a < b) == (fields(a) < fields(b)), "< compares year, month, day in turn");
  check((a <= b) == (fields(a) <= fields(b)), "<= is < or equal");
  const int holding = (a < b) + (b < a) + (fields(a) == fields(b));
  check(holding == 1, "trichotomy");
  check(a <= a && !(a < a), "a date is <= itself and not < itself");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FuzzSupport::silencePage();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> texts = FuzzSupport::splitInput(data, size, 2);
  texts[1] = FuzzSupport::untilNul(texts[1]);
  const AmbryDate first(String(texts[0].c_str()));
  const AmbryDate second(String(texts[1].c_str()));
  checkParsed(texts[0], first);
  checkParsed(texts[1], second);
  checkOrder(first, second);
  return 0;
}
