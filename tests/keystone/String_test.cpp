// Tests of Keystone::String: construction, copying, ordering, search and replace.
#include "keystone/String.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using Keystone::String;

namespace {

std::string text(const String& s) {
  return std::string(s.c_str());
}

struct StringFields {
  int mLength;
  char* mData;
};

StringFields fieldsOf(const String& s) {
  static_assert(sizeof(StringFields) == sizeof(String), "String has other fields");
  StringFields fields;
  std::memcpy(&fields, &s, sizeof fields);
  return fields;
}

}  // namespace

TEST(KeystoneStringConstruct, NullPointerGivesEmptyString) {
  const char* none = nullptr;
  for (const String& s : {String(none), String(none, 2), String(none, 0, 3)}) {
    EXPECT_EQ(0, s.length());
    ASSERT_NE(nullptr, s.c_str());
    EXPECT_EQ('\0', s.c_str()[0]);
  }
}

TEST(KeystoneStringConstruct, FieldsAreLengthThenBuffer) {
  String s("abc");
  StringFields fields = fieldsOf(s);
  EXPECT_EQ(3, fields.mLength);
  EXPECT_EQ(s.c_str(), fields.mData);
}

TEST(KeystoneStringConstruct, Substrings) {
  EXPECT_EQ("cdef", text(String("abcdef", 2)));
  EXPECT_EQ("", text(String("abcdef", 6)));
  EXPECT_EQ("bcd", text(String("abcdef", 1, 3)));
  EXPECT_EQ(3, String("abcdef", 1, 3).length());
  EXPECT_EQ("", text(String("abc", 1, -1)));
  String empty;
  String dropped(empty.c_str(), 0, empty.length() - 1);
  EXPECT_EQ(0, dropped.length());
  String word("word");
  EXPECT_EQ("wor", text(String(word.c_str(), 0, word.length() - 1)));
}

TEST(KeystoneStringConstruct, SubstringsNeverReadPastTheSource) {
  // Out-of-range requests stop at the source's terminator; the sanitizer run watches this.
  EXPECT_EQ("", text(String("abc", 7)));
  String tail("abc", 1, 50);
  EXPECT_EQ("bc", text(tail));
  EXPECT_EQ(2, tail.length());
  EXPECT_EQ(0, String("abc", 5, 2).length());
}

TEST(KeystoneStringConstruct, RepeatedCharacterAndReadBuffer) {
  EXPECT_EQ("xxx", text(String('x', 3)));
  EXPECT_EQ(0, String('x', -2).length());
  String buffer('\0', 8);
  EXPECT_EQ(8, buffer.length());
  EXPECT_EQ("", text(buffer));
  std::memcpy(&buffer[0], "body", 4);
  String copy(buffer);
  EXPECT_EQ("body", text(copy));
  EXPECT_EQ(4, copy.length());
}

TEST(KeystoneStringConstruct, Integers) {
  EXPECT_EQ("-45", text(String(-45)));
  EXPECT_EQ("0", text(String(0)));
  EXPECT_EQ(1, String(0).length());
  EXPECT_EQ("-2147483648", text(String(-2147483647 - 1)));
}

TEST(KeystoneStringCopy, CopyStopsAtInnerNul) {
  String s("abcdef");
  s[2] = '\0';
  EXPECT_EQ(6, s.length());
  String copy(s);
  EXPECT_EQ(2, copy.length());
  EXPECT_EQ("ab", text(copy));
  String assigned("something longer");
  assigned = s;
  EXPECT_EQ(2, assigned.length());
  EXPECT_EQ("ab", text(assigned));
}

TEST(KeystoneStringCopy, CopiesAreDeepAndSelfAssignmentKeepsText) {
  String a("abc");
  String b(a);
  b[0] = 'X';
  EXPECT_EQ("abc", text(a));
  EXPECT_NE(a.c_str(), b.c_str());
  String& self = a;
  a = self;
  EXPECT_EQ("abc", text(a));
  a = 'z';
  EXPECT_EQ("z", text(a));
  EXPECT_EQ(1, a.length());
  EXPECT_EQ('\0', a[a.length()]);  // the terminator lies at index length()
}

TEST(KeystoneStringConcat, AllForms) {
  String s("ab");
  s += String("cd");
  s += 'e';
  EXPECT_EQ("abcde", text(s));
  EXPECT_EQ(5, s.length());
  EXPECT_EQ("xy", text(String("x") + String("y")));
  EXPECT_EQ("x!", text(String("x") + '!'));
  EXPECT_EQ("<x", text("<" + String("x")));
  EXPECT_EQ("-x", text('-' + String("x")));
  const char* none = nullptr;
  EXPECT_EQ("x", text(none + String("x")));
}

TEST(KeystoneStringOrder, EmptyAndPrefixes) {
  String empty;
  EXPECT_TRUE(empty < "a");
  EXPECT_FALSE(String("a") < empty);
  EXPECT_TRUE(empty == String());
  EXPECT_EQ(0, empty.compare(""));
  EXPECT_EQ(-1, empty.compare("a"));
  EXPECT_EQ(1, String("a").compare(""));
  EXPECT_TRUE(String("abc") < "abd");
  EXPECT_TRUE(String("ab") < String("abc"));
  EXPECT_EQ(-1, String("ab").compare("abc"));
  EXPECT_EQ(1, String("abc").compare("ab"));
  EXPECT_TRUE(String("abc") >= "abc");
  EXPECT_TRUE(String("abc") <= "abc");
  EXPECT_TRUE(String("b") > String("abc"));
  EXPECT_TRUE("lang" == String("lang"));
  EXPECT_TRUE("lan" != String("lang"));
}

TEST(KeystoneStringOrder, HighBytesSortBeforeAscii) {
  String accented("\xE9t\xE9");
  EXPECT_TRUE(accented < "A");
  EXPECT_TRUE(accented < String("\x01"));
  EXPECT_LT(accented.compare("A"), 0);
  EXPECT_EQ(static_cast<signed char>('\xE9') - 'A', accented.compare("A"));
  EXPECT_TRUE(String("\xFF") > String("\x80"));
  EXPECT_TRUE(String("a\x80") < String("ab"));
}

TEST(KeystoneStringSearch, FindUpToTheEnd) {
  String s("abcdabcd");
  EXPECT_EQ(4, s.find("abc", 1));
  EXPECT_EQ(5, s.find("bcd", 2));
  EXPECT_EQ(7, s.find("d", 4));
  EXPECT_EQ(6, s.find("cd", 5));
  EXPECT_EQ(-1, s.find("de", 6));
  EXPECT_EQ(-1, s.find("a", s.length()));
  EXPECT_EQ(-1, s.find("a", -1));
  EXPECT_EQ(-1, s.find("cde", 0));
  EXPECT_EQ(-1, s.find("abcdabcde", 0));
  EXPECT_EQ(2, String("abcd").find("", 2));
}

TEST(KeystoneStringSearch, FindNthCountsOverlaps) {
  EXPECT_EQ(1, String("aaa").findNth("aa", 2));
  EXPECT_EQ(0, String("aaa").findNth("aa", 1));
  EXPECT_EQ(-1, String("aaa").findNth("aa", 3));
  EXPECT_EQ(-1, String("aaa").findNth("aa", 0));
  EXPECT_EQ(-1, String("aa").findNth("aaa", 1));
  EXPECT_EQ(5, String("x-y-z-w").findNth("-", 3));
}

TEST(KeystoneStringReplace, InsertedTextIsNotSearchedAgain) {
  String message("Error: %s.");
  message.replace("%s", "[%s]");
  EXPECT_EQ("Error: [%s].", text(message));
  String growing("aa");
  growing.replace("a", "aa");
  EXPECT_EQ("aaaa", text(growing));
}

TEST(KeystoneStringReplace, EveryOccurrenceAndReturnsTarget) {
  String s("a,b,,c");
  String& result = s.replace(",", ";; ");
  EXPECT_EQ(&s, &result);
  EXPECT_EQ("a;; b;; ;; c", text(s));
  EXPECT_EQ(12, s.length());
  String shrink("xxabxxab");
  shrink.replace("xx", "");
  EXPECT_EQ("abab", text(shrink));
  String atEnd("path/");
  atEnd.replace("/", "\\");
  EXPECT_EQ("path\\", text(atEnd));
}

TEST(KeystoneStringReplace, NothingToDo) {
  String s("abc");
  s.replace("", "x");
  EXPECT_EQ("abc", text(s));
  s.replace("abcd", "x");
  EXPECT_EQ("abc", text(s));
  String empty;
  empty.replace("a", "b");
  EXPECT_EQ(0, empty.length());
  s.replace("z", "y");
  EXPECT_EQ("abc", text(s));
}

TEST(KeystoneStringReplace, TheStringItselfAsSearchOrReplacement) {
  String doubled("a-a");
  doubled.replace("a", doubled);
  EXPECT_EQ("a-a-a-a", text(doubled));
  String whole("abc");
  whole.replace(whole, "x");
  EXPECT_EQ("x", text(whole));
}
