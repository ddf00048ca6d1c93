// Fuzz target: String search, replace, comparison and substring constructors against std::string.
#include <cstring>
#include <memory>
#include <string>

#include "keystone/String.h"
#include "tests/fuzz/FuzzSupport.h"

using FuzzSupport::check;
using Keystone::String;

namespace {

// Replacing is quadratic by design; these caps keep one input well under the fuzzer's timeout.
const size_t kMaxText = 256;
const size_t kMaxWith = 64;

int modelFind(const std::string& text, const std::string& what, int start) {
  if (start < 0 || start >= static_cast<int>(text.size())) return -1;
  const size_t p = text.find(what, static_cast<size_t>(start));
  return p == std::string::npos ? -1 : static_cast<int>(p);
}

// Every start position counts, so overlapping occurrences are found.
int modelFindNth(const std::string& text, const std::string& what, int n) {
  if (n <= 0 || what.size() > text.size()) return -1;
  for (size_t p = 0; p < text.size(); ++p) {
    if (text.compare(p, what.size(), what) == 0 && --n == 0) return static_cast<int>(p);
  }
  return -1;
}

// Each occurrence is replaced and the search goes on after the inserted text.
std::string modelReplace(std::string text, const std::string& what, const std::string& with) {
  if (text.empty() || what.empty() || what.size() > text.size()) return text;
  size_t p = text.find(what);
  while (p != std::string::npos) {
    text = text.substr(0, p) + with + text.substr(p + what.size());
    p = text.find(what, p + with.size());
  }
  return text;
}

// Signed bytes, the empty text first, a prefix before its extensions.
int modelCompareSign(const std::string& a, const std::string& b) {
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    const signed char x = static_cast<signed char>(a[i]);
    const signed char y = static_cast<signed char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

int sign(int value) {
  return (value > 0) - (value < 0);
}

bool same(const String& s, const std::string& text) {
  return s.length() == static_cast<int>(text.size()) && text == s.c_str();
}

// A position from one control byte, spread over -1 .. length + 1.
int position(uint8_t byte, size_t length) {
  return static_cast<int>(byte * (length + 2) / 255) - 1;
}

void checkSearch(const std::string& text, const std::string& what, int start, int n) {
  const String s(text.c_str());
  const String w(what.c_str());
  check(s.find(w, start) == modelFind(text, what, start), "find agrees with std::string::find");
  check(s.findNth(w, n) == modelFindNth(text, what, n), "findNth counts overlapping occurrences");
}

void checkReplace(const std::string& text, const std::string& what, const std::string& with) {
  String s(text.c_str());
  check(same(s.replace(String(what.c_str()), String(with.c_str())), modelReplace(text, what, with)),
        "replace agrees with the model");
  // The search or the replacement may be the string itself; a short one keeps the growth small.
  const std::string shortText = text.substr(0, kMaxWith);
  String self(shortText.c_str());
  check(same(self.replace(self, String(with.c_str())), modelReplace(shortText, shortText, with)),
        "replace of the string itself");
  String into(shortText.c_str());
  check(same(into.replace(String(what.c_str()), into), modelReplace(shortText, what, shortText)),
        "replace by the string itself");
}

void checkCompare(const std::string& a, const std::string& b) {
  const String x(a.c_str());
  const String y(b.c_str());
  const int expected = modelCompareSign(a, b);
  check(sign(x.compare(b.c_str())) == expected, "compare orders signed bytes");
  check(sign(y.compare(a.c_str())) == -expected, "compare is antisymmetric");
  check((x == y) == (expected == 0) && (x != y) == (expected != 0), "== and != follow compare");
  check((x < y) == (expected < 0) && (x <= y) == (expected <= 0), "< and <= follow compare");
  check((x > y) == (expected > 0) && (x >= y) == (expected >= 0), "> and >= follow compare");
}

// The source sits in a buffer of exactly its size, so any read past its NUL is caught.
void checkSubstrings(const std::string& text, int start, int count) {
  std::unique_ptr<char[]> buffer(new char[text.size() + 1]);
  std::memcpy(buffer.get(), text.c_str(), text.size() + 1);
  const int length = static_cast<int>(text.size());
  const String tail(buffer.get(), start);
  const String part(buffer.get(), start, count);
  check(tail.length() == static_cast<int>(std::strlen(tail.c_str())), "a tail's length is its text's");
  check(part.length() == static_cast<int>(std::strlen(part.c_str())), "a substring's length is its text's");
  if (start >= 0 && start <= length) check(same(tail, text.substr(start)), "the tail from start");
  if (count <= 0) check(part.length() == 0, "a count of zero or less gives the empty string");
  if (start >= 0 && count > 0 && start + count <= length) {
    check(same(part, text.substr(start, count)), "count bytes from start");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  uint8_t control[4] = {0, 0, 0, 0};
  const size_t taken = size < 4 ? size : 4;
  std::memcpy(control, data, taken);
  std::vector<std::string> texts = FuzzSupport::splitInput(data + taken, size - taken, 3);
  std::string& text = texts[0];
  std::string& what = texts[1];
  std::string& with = texts[2];
  with = FuzzSupport::untilNul(with);
  if (text.size() > kMaxText) text.resize(kMaxText);
  if (what.size() > kMaxWith) what.resize(kMaxWith);
  if (with.size() > kMaxWith) with.resize(kMaxWith);

  checkSearch(text, what, position(control[0], text.size()), static_cast<int>(control[1]) - 1);
  checkReplace(text, what, with);
  checkCompare(text, what);
  checkSubstrings(text, position(control[2], text.size()),
                  position(control[3], text.size()) - position(control[2], text.size()));
  return 0;
}
