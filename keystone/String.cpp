// The string operations: construction, copying, concatenation, comparison, search and replace.
#include "keystone/String.h"

#include <cstdio>
#include <cstring>

namespace Keystone {

namespace {

// A heap copy of `count` bytes of `text`, NUL-terminated.
char* duplicate(const char* text, int count) {
  char* buffer = new char[count + 1];
  if (count > 0) std::memcpy(buffer, text, count);
  buffer[count] = '\0';
  return buffer;
}

int textLength(const char* text) {
  return text ? static_cast<int>(std::strlen(text)) : 0;
}

static_assert(sizeof(void*) != 8 || sizeof(String) == 16, "a string is a length and a pointer");

}  // namespace

String::String() : mLength(0), mConstant(false), mData(duplicate("", 0)) {}

String::String(const char* text) : mLength(textLength(text)), mConstant(false), mData(duplicate(text, mLength)) {}

// A start past the end of the text gives the empty tail rather than reading past it.
String::String(const char* text, int start) : mLength(0), mConstant(false), mData(0) {
  int length = textLength(text);
  if (start < 0) start = 0;
  if (start > length) start = length;
  adopt(duplicate(text ? text + start : "", length - start), length - start);
}

// Never reads past the NUL of `text`: a source shorter than `count` gives the shorter string.
String::String(const char* text, int start, int count) : mLength(0), mConstant(false), mData(0) {
  if (!text || count <= 0 || start < 0) {
    adopt(duplicate("", 0), 0);
    return;
  }
  size_t available = strnlen(text, static_cast<size_t>(start) + static_cast<size_t>(count));
  int copied = 0;
  if (available > static_cast<size_t>(start)) copied = static_cast<int>(available) - start;
  adopt(duplicate(text + (copied > 0 ? start : 0), copied), copied);
}

String::String(char c, int count) : mLength(0), mConstant(false), mData(0) {
  if (count < 0) count = 0;
  char* buffer = new char[count + 1];
  std::memset(buffer, c, count);
  buffer[count] = '\0';
  adopt(buffer, count);
}

String::String(int value) : mLength(0), mConstant(false), mData(0) {
  char text[16];
  int length = std::snprintf(text, sizeof text, "%d", value);
  adopt(duplicate(text, length), length);
}

String::String(const String& other)
    : mLength(textLength(other.mData)), mConstant(false), mData(duplicate(other.mData, mLength)) {}

// The empty buffer is allocated first, so a failure leaves the source as it was. A constant source
// is copied: its text is not a buffer to take over.
String::String(String&& other) : mLength(other.mLength), mConstant(false), mData(duplicate("", 0)) {
  if (other.mConstant) {
    adopt(duplicate(other.mData, other.mLength), other.mLength);
    return;
  }
  char* taken = other.mData;
  other.mData = mData;
  other.mLength = 0;
  mData = taken;
}

String::~String() {
  if (!mConstant) delete[] mData;
}

void String::adopt(char* buffer, int length) {
  if (!mConstant) delete[] mData;
  mConstant = false;
  mData = buffer;
  mLength = length;
}

void String::own() {
  adopt(duplicate(mData, mLength), mLength);
}

String& String::operator=(const String& other) {
  if (&other == this) return *this;
  int length = textLength(other.mData);
  adopt(duplicate(other.mData, length), length);
  return *this;
}

String& String::operator=(String&& other) {
  if (&other == this) return *this;
  // Compiled-in text is neither handed over nor given back: copy instead.
  if (mConstant || other.mConstant) return *this = static_cast<const String&>(other);
  char* old = mData;
  mData = other.mData;
  mLength = other.mLength;
  old[0] = '\0';
  other.mData = old;
  other.mLength = 0;
  return *this;
}

String& String::operator=(char c) {
  adopt(duplicate(&c, 1), 1);
  return *this;
}

// Both buffers are copied whole, so the new length is the sum of the two lengths.
String& String::operator+=(const String& other) {
  int length = mLength + other.mLength;
  char* buffer = new char[length + 1];
  std::memcpy(buffer, mData, mLength);
  std::memcpy(buffer + mLength, other.mData, other.mLength);
  buffer[length] = '\0';
  adopt(buffer, length);
  return *this;
}

String& String::operator+=(char c) {
  char* buffer = new char[mLength + 2];
  std::memcpy(buffer, mData, mLength);
  buffer[mLength] = c;
  buffer[mLength + 1] = '\0';
  adopt(buffer, mLength + 1);
  return *this;
}

// Byte-wise on signed chars; the empty string sorts first, a prefix before its extensions.
int String::compare(const char* other) const {
  int otherLength = textLength(other);
  if (mLength == 0 && otherLength == 0) return 0;
  if (mLength == 0) return -1;
  if (otherLength == 0) return 1;
  int common = mLength < otherLength ? mLength : otherLength;
  for (int i = 0; i < common; ++i) {
    if (mData[i] != other[i]) return static_cast<signed char>(mData[i]) - static_cast<signed char>(other[i]);
  }
  if (mLength == otherLength) return 0;
  return mLength < otherLength ? -1 : 1;
}

int String::find(const String& what, int start) const {
  if (start < 0 || start >= mLength) return -1;
  for (int p = start; p + what.mLength <= mLength; ++p) {
    if (std::memcmp(mData + p, what.mData, what.mLength) == 0) return p;
  }
  return -1;
}

// Overlapping occurrences count: the search goes on one byte after each hit.
int String::findNth(const String& what, int n) const {
  if (n <= 0 || what.mLength > mLength) return -1;
  int p = find(what, 0);
  for (int seen = 1; p != -1 && seen < n; ++seen) p = find(what, p + 1);
  return p;
}

// Searching resumes after the inserted text, so `with` is never searched again; an empty
// `what` would match everywhere and leaves the string unchanged.
String& String::replace(const String& what, const String& with) {
  // Either text may be this string itself, which changes with every replacement: work on copies.
  if (&what == this || &with == this) return replace(String(what), String(with));
  if (mLength == 0 || what.mLength == 0 || what.mLength > mLength) return *this;
  int p = find(what, 0);
  while (p != -1) {
    *this = String(mData, 0, p) + with + String(mData, p + what.mLength);
    p = find(what, p + with.mLength);
  }
  return *this;
}

String operator+(const String& left, const String& right) {
  String result(left);
  result += right;
  return result;
}

String operator+(const String& left, char right) {
  String result(left);
  result += right;
  return result;
}

String operator+(const char* left, const String& right) {
  String result(left);
  result += right;
  return result;
}

String operator+(char left, const String& right) {
  String result(left, 1);
  result += right;
  return result;
}

}  // namespace Keystone
