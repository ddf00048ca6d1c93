// Shared helpers of the fuzz targets: splitting an input into texts, silencing the page, checks.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace FuzzSupport {

// The library writes its messages to the page; the fuzzer's own output goes to stderr.
inline void silencePage() {
  if (!std::freopen("/dev/null", "w", stdout)) std::abort();
}

// Splits the input at NUL bytes into at most `parts` texts (the last takes the rest, its NULs
// included); missing parts are empty. A String holds no NUL, so these are the texts it can hold.
inline std::vector<std::string> splitInput(const uint8_t* data, size_t size, size_t parts) {
  std::vector<std::string> out(parts);
  size_t index = 0;
  for (size_t i = 0; i < size; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == '\0' && index + 1 < parts) {
      ++index;
    } else {
      out[index] += c;
    }
  }
  return out;
}

// The text up to the first NUL: what a String made from it holds.
inline std::string untilNul(const std::string& text) {
  return text.substr(0, text.find('\0'));
}

// A broken property stops the run with a message; libFuzzer keeps the input as a crash.
inline void check(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

}  // namespace FuzzSupport
