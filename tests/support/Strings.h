// The tests' one conversion of library texts to std::string, for comparisons and messages.
#pragma once
#include <string>

#include "keystone/String.h"

// The whole text, as long as the library says it is.
inline std::string str(const Keystone::String& text) {
  return std::string(text.c_str(), text.length());
}
// A C text; a null pointer reads as empty.
inline std::string str(const char* text) {
  return text ? std::string(text) : std::string();
}
