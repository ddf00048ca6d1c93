// The one string type of the system: an owned, NUL-terminated byte buffer with a length.
#ifndef KEYSTONE_STRING_H
#define KEYSTONE_STRING_H

#include "keystone/Constant.h"

namespace Keystone {

// Bytes are plain signed chars: every byte of 0x80 or above sorts before ASCII.
// Copies are deep and take their length from the source's NUL-terminated text.
// Beware: `text + 5` appends the character 5; write `text + String(5)` for the number.
class String {
 public:
  String();
  String(const char* text);
  String(const char* text, int start);
  String(const char* text, int start, int count);
  String(char c, int count);
  String(int value);
  String(const String& other);
  // The constant form: the string is `text` itself, laid out by the compiler, and frees nothing.
  constexpr String(Constant, const char* text) : mLength(constantLength(text)), mConstant(true), mData(const_cast<char*>(text)) {}
  // Takes the buffer over; the source is left the empty string, with a one-byte buffer of its own.
  String(String&& other);
  ~String();

  String& operator=(const String& other);
  // Takes the buffer over; the source is left the empty string in this string's old buffer.
  String& operator=(String&& other);
  String& operator=(char c);

  int length() const { return mLength; }
  const char* c_str() const { return mData; }
  // A constant string takes a copy of its own before it hands out a byte that may be changed.
  char& operator[](int index) {
    if (mConstant) own();
    return mData[index];
  }
  const char& operator[](int index) const { return mData[index]; }

  String& operator+=(const String& other);
  String& operator+=(char c);

  int compare(const char* other) const;
  bool operator==(const char* other) const { return compare(other) == 0; }
  bool operator!=(const char* other) const { return compare(other) != 0; }
  bool operator<(const char* other) const { return compare(other) < 0; }
  bool operator<=(const char* other) const { return compare(other) <= 0; }
  bool operator>(const char* other) const { return compare(other) > 0; }
  bool operator>=(const char* other) const { return compare(other) >= 0; }
  bool operator==(const String& other) const { return compare(other.mData) == 0; }
  bool operator!=(const String& other) const { return compare(other.mData) != 0; }
  bool operator<(const String& other) const { return compare(other.mData) < 0; }
  bool operator<=(const String& other) const { return compare(other.mData) <= 0; }
  bool operator>(const String& other) const { return compare(other.mData) > 0; }
  bool operator>=(const String& other) const { return compare(other.mData) >= 0; }

  int find(const String& what, int start = 0) const;
  int findNth(const String& what, int n) const;
  String& replace(const String& what, const String& with);

 private:
  static constexpr int constantLength(const char* text) {
    int length = 0;
    while (text && text[length]) ++length;
    return length;
  }
  // Takes over a heap buffer of length + 1 bytes, already terminated.
  void adopt(char* buffer, int length);
  // Replaces the compiled-in text of a constant string by a heap copy.
  void own();

  int mLength;
  // Set in the constant form only; it lies in the padding before mData, so the layout is unchanged.
  bool mConstant;
  char* mData;
};

String operator+(const String& left, const String& right);
String operator+(const String& left, char right);
String operator+(const char* left, const String& right);
String operator+(char left, const String& right);
inline bool operator==(const char* left, const String& right) {
  return right.compare(left) == 0;
}
inline bool operator!=(const char* left, const String& right) {
  return right.compare(left) != 0;
}

}  // namespace Keystone

#endif
