// Tests of moving strings, vectors, arrays and maps, and of appending to a map in key order.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "KeystoneTestSupport.h"

using Keystone::Array;
using Keystone::Map;
using Keystone::String;
using Keystone::Vector;

namespace {

typedef Map<const String, String> TextMap;

std::string keys(const TextMap& map) {
  std::string joined;
  for (int i = 0; i < map.size(); ++i)
    joined += std::string(map.keyAt(i).c_str()) + "=" + map.valueAt(i).c_str() + ";";
  return joined;
}

}  // namespace

TEST(KeystoneMove, StringLeavesAnUsableEmptySource) {
  String source("borrowed");
  const char* buffer = source.c_str();
  String taken(std::move(source));
  EXPECT_EQ(buffer, taken.c_str());
  EXPECT_STREQ("borrowed", taken.c_str());
  EXPECT_EQ(8, taken.length());
  ASSERT_NE(nullptr, source.c_str());
  EXPECT_EQ(0, source.length());
  EXPECT_STREQ("", source.c_str());
  source += "again";
  EXPECT_STREQ("again", source.c_str());

  String target("old text");
  target = std::move(taken);
  EXPECT_STREQ("borrowed", target.c_str());
  EXPECT_EQ(0, taken.length());
  EXPECT_STREQ("", taken.c_str());
  target = std::move(target);
  EXPECT_STREQ("borrowed", target.c_str());
}

TEST(KeystoneMove, VectorAndArrayLeaveEmptySources) {
  Vector<String> vector;
  vector.add(String("a"));
  String b("b");
  vector.add(std::move(b));
  EXPECT_EQ(0, b.length());
  Vector<String> taken(std::move(vector));
  ASSERT_EQ(2, taken.size());
  EXPECT_STREQ("b", taken[1].c_str());
  VectorFields fields = vectorFields(vector);
  EXPECT_EQ(nullptr, fields.mData);
  EXPECT_EQ(0, fields.mSize);
  EXPECT_EQ(0, fields.mCapacity);
  vector.add("c");  // a moved-from vector grows again as a cleared one does
  EXPECT_EQ(1, vector.size());
  vector = std::move(taken);
  EXPECT_EQ(2, vector.size());
  EXPECT_EQ(0, taken.size());
  vector.insert(String("first"), 0);
  EXPECT_STREQ("first", vector[0].c_str());
  EXPECT_STREQ("a", vector[1].c_str());

  const char* items[] = {"x", "y"};
  Array<String> array(items, 2);
  Array<String> moved(std::move(array));
  EXPECT_EQ(2, moved.size());
  EXPECT_EQ(0, array.size());
  array = std::move(moved);
  EXPECT_STREQ("y", array[1].c_str());
  EXPECT_EQ(0, moved.size());
}

TEST(KeystoneMove, VectorInsertByMoveKeepsItsIndexRules) {
  Vector<String> vector;
  expectKeystoneError(
      [&] { vector.insert(String("x"), 1); },
      "Error in Vector<T>::insert(const T& element, const int index): !(mData && mSize) && index != 0");
  vector.add("a");
  expectKeystoneError([&] { vector.insert(String("x"), 1); },
                      "Error in Vector<T>::insert(const T& element, const int index): index > mSize - 1");
  expectKeystoneError([&] { vector.emplaceAt(-1, "x"); },
                      "Error in Vector<T>::insert(const T& element, const int index): index < 0");
  EXPECT_EQ(1, vector.size());
}

TEST(KeystoneMapAppendSorted, InOrderKeysAppendAndOthersFindTheirPlace) {
  TextMap map;
  map.appendSorted("b", "2");
  map.appendSorted("d", "4");
  map.appendSorted("a", "1");             // before every key: sorted insert
  map.appendSorted("c", "3");             // in the middle
  map.appendSorted("d", "four");          // a repeated key keeps the last value
  map.appendSorted(String("\xE9"), "e");  // a high byte sorts before ASCII
  EXPECT_EQ("\xE9=e;a=1;b=2;c=3;d=four;", keys(map));
  EXPECT_TRUE(map["c"] == "3");
}

TEST(KeystoneMapAppendSorted, NestedMapsAreMovedInWhole) {
  Map<const String, TextMap> outer;
  TextMap inner;
  inner.appendSorted("k", "v");
  outer.appendSorted("eng", std::move(inner));
  EXPECT_EQ(0, inner.size());
  TextMap other;
  other.appendSorted("w", "x");
  outer.appendSorted("afr", std::move(other));
  ASSERT_EQ(2, outer.size());
  EXPECT_STREQ("afr", outer.keyAt(0).c_str());
  EXPECT_EQ("w=x;", keys(outer.valueAt(0)));
  EXPECT_EQ("k=v;", keys(outer["eng"]));
}
