// Tests of Keystone::Map: key order, lookups through constant and changeable maps, and get.
#include "keystone/Map.h"

#include <gtest/gtest.h>

#include <string>

#include "KeystoneTestSupport.h"

using Keystone::Map;
using Keystone::String;

namespace {

typedef Map<const String, String> QueryMap;

std::string keys(const QueryMap& map) {
  std::string joined;
  for (int i = 0; i < map.size(); ++i) joined += std::string(map.keyAt(i).c_str()) + ";";
  return joined;
}

}  // namespace

TEST(KeystoneMapOrder, KeysSortedAfterOutOfOrderInsertion) {
  QueryMap map;
  map["b"] = "2";
  map["a"] = "1";
  map["c"] = "3";
  EXPECT_EQ("a;b;c;", keys(map));
  map["a"] = "one";
  EXPECT_EQ(3, map.size());
  EXPECT_EQ("a;b;c;", keys(map));
  EXPECT_TRUE(map.entryAt(0).second == "one");
  EXPECT_TRUE(map.valueAt(2) == "3");
}

TEST(KeystoneMapOrder, SignedByteOrderAndPrefixes) {
  QueryMap map;
  for (const char* key : {"lang", "a", "\xE9t\xE9", "", "la", "Z"}) map[key] = key;
  EXPECT_EQ(";\xE9t\xE9;Z;a;la;lang;", keys(map));
}

TEST(KeystoneMapOrder, ManyKeysStayUniqueAndSorted) {
  QueryMap map;
  for (int round = 0; round < 2; ++round) {
    for (int i = 0; i < 200; ++i) map[String((i * 37) % 200)] = String(i);
  }
  ASSERT_EQ(200, map.size());
  for (int i = 1; i < map.size(); ++i) EXPECT_TRUE(map.keyAt(i - 1) < map.keyAt(i));
}

TEST(KeystoneMapLookup, ConstLookupOfMissingKeyThrows) {
  QueryMap map;
  map["id"] = "7";
  const QueryMap& constant = map;
  EXPECT_TRUE(constant["id"] == "7");
  expectKeystoneError([&] { (void)constant["bookid"]; },
                      "Error in Map<K, V>::operator[](const K& key) const: no such key in map");
  EXPECT_EQ(1, map.size());
}

TEST(KeystoneMapLookup, ChangeableLookupOfMissingKeyAddsEmptyValue) {
  QueryMap map;
  map["id"] = "7";
  String& added = map["bookid"];
  EXPECT_EQ(0, added.length());
  EXPECT_EQ(2, map.size());
  EXPECT_EQ(0, map.indexOf("bookid"));
  EXPECT_TRUE(map.contains("bookid"));
  EXPECT_EQ(-1, map.indexOf("memberid"));
  EXPECT_FALSE(map.contains("memberid"));
}

TEST(KeystoneMapLookup, GetWithFallback) {
  QueryMap map;
  map["lang"] = "en";
  EXPECT_TRUE(map.get("lang", "") == "en");
  EXPECT_TRUE(map.get("cmd", "0") == "0");
  EXPECT_EQ(1, map.size());
  EXPECT_FALSE(map.contains("cmd"));
}

TEST(KeystoneMapCopy, CopiesAreDeepAndNestedMapsWork) {
  Map<String, QueryMap> tables;
  tables["en"]["title_home"] = "Home";
  tables["af"]["title_home"] = "Tuis";
  Map<String, QueryMap> copy(tables);
  copy["en"]["title_home"] = "Changed";
  const Map<String, QueryMap>& constant = tables;
  EXPECT_TRUE(constant["en"]["title_home"] == "Home");
  EXPECT_TRUE(copy.keyAt(0) == "af");
  expectKeystoneError([&] { (void)constant.entryAt(2); },
                      "Error in Vector<T>::operator[](const int index) const: index < 0 || index >= mSize");
}

// A table laid out from compiled-in data: reading it copies deeply, changing it first gives it copies
// of its own, and the compiled-in data never changes and is never freed (the sanitizer run checks).
TEST(KeystoneMapCopy, ConstantFormCopiesBeforeAnyChange) {
  using Entry = Keystone::Pair<const String, String>;
  static const char kBeta[] = "beta";
  static Entry entries[] = {{Keystone::Constant(), "a", "alpha"}, {Keystone::Constant(), "b", kBeta}};
  static Entry* const slots[] = {&entries[0], &entries[1]};
  QueryMap map(Keystone::Constant(), slots, 2);
  QueryMap copy(map);
  EXPECT_NE(copy.entryAt(1).second.c_str(), kBeta);
  map["b"] = "changed";
  map["c"] = "new";
  EXPECT_EQ(keys(map), "a;b;c;");
  EXPECT_STREQ(map.entryAt(1).second.c_str(), "changed");
  EXPECT_EQ(entries[1].second.c_str(), kBeta);
  EXPECT_STREQ(kBeta, "beta");
  EXPECT_STREQ(copy.entryAt(1).second.c_str(), "beta");

  String text(Keystone::Constant(), kBeta);
  String moved(std::move(text));
  EXPECT_EQ(text.c_str(), kBeta);
  text[0] = 'B';
  moved += "s";
  EXPECT_STREQ(text.c_str(), "Beta");
  EXPECT_STREQ(moved.c_str(), "betas");
  EXPECT_STREQ(kBeta, "beta");

  const String names[] = {{Keystone::Constant(), "id"}, {Keystone::Constant(), kBeta}};
  Keystone::Array<String> array(Keystone::Constant(), names, 2);
  Keystone::Array<String> arrayCopy(array);
  array[1] = "changed";
  EXPECT_STREQ(arrayCopy[1].c_str(), "beta");
  EXPECT_EQ(names[1].c_str(), kBeta);
}
