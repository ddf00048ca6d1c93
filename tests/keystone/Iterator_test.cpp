// Tests of the snapshot iterators of Map and Vector: walking, markers, snapshots and assignment.
#include <gtest/gtest.h>

#include <string>

#include "KeystoneTestSupport.h"
#include "keystone/Keystone"

using Keystone::Iterator_Base;
using Keystone::Map;
using Keystone::Pair;
using Keystone::String;
using Keystone::Vector;

namespace {

typedef Map<const String, String> QueryMap;
typedef Pair<const String, String> Entry;

QueryMap sampleMap() {
  QueryMap map;
  map["b"] = "2";
  map["a"] = "1";
  map["c"] = "3";
  return map;
}

std::string walk(QueryMap::Iterator& it) {
  std::string seen;
  for (it = *it.begin(); it != *it.end(); ++it)
    seen += std::string((*it).first.c_str()) + (*it).second.c_str();
  return seen;
}

// An iterator of neither container, to try assignment across kinds.
class OtherIterator : public Iterator_Base<String> {
 public:
  OtherIterator& operator=(const Iterator_Base<String>&) override { return *this; }
  bool operator==(const Iterator_Base<String>&) const override { return false; }
  bool operator!=(const Iterator_Base<String>&) const override { return true; }
  OtherIterator& operator++() override { return *this; }
  OtherIterator& operator--() override { return *this; }
  String& operator*() override { return mValue; }
  const String& operator*() const override { return mValue; }
  bool isValid() const override { return false; }
  bool hasPrevious() const override { return false; }
  Iterator_Base<String>* begin() const override { return nullptr; }
  Iterator_Base<String>* end() const override { return nullptr; }

 private:
  String mValue;
};

}  // namespace

TEST(KeystoneMapIterator, WalksEntriesInKeyOrder) {
  QueryMap map = sampleMap();
  QueryMap::Iterator it(map);
  EXPECT_EQ("a1b2c3", walk(it));
  EXPECT_FALSE(it.isValid());
  EXPECT_TRUE(it == *it.end());
  --it;
  EXPECT_TRUE(it.isValid());
  EXPECT_TRUE((*it).first == "c");
  EXPECT_TRUE(it.hasPrevious());
  it = *it.begin();
  EXPECT_FALSE(it.hasPrevious());
}

TEST(KeystoneMapIterator, SnapshotDoesNotSeeLaterChanges) {
  QueryMap map = sampleMap();
  QueryMap::Iterator it(map);
  map["aa"] = "new";
  map["b"] = "changed";
  EXPECT_EQ("a1b2c3", walk(it));
  it = *it.begin();
  (*it).second = "through iterator";
  EXPECT_TRUE(map["a"] == "1");
  QueryMap::Iterator later(map);
  EXPECT_EQ("a1aanewbchangedc3", walk(later));
}

TEST(KeystoneMapIterator, ConstIteratorAndCopies) {
  const QueryMap map = sampleMap();
  QueryMap::ConstIterator constant(map);
  ++constant;
  EXPECT_TRUE((*constant).first == "b");
  QueryMap::ConstIterator copy(constant);
  ++copy;
  EXPECT_TRUE((*constant).first == "b");
  EXPECT_TRUE((*copy).first == "c");
  constant = copy;
  EXPECT_TRUE(constant == copy);
  QueryMap other = sampleMap();
  QueryMap::Iterator plain(other);
  plain = constant;  // both are map iterators
  EXPECT_TRUE((*plain).first == "c");
}

TEST(KeystoneMapIterator, RangeCheckedAndEmptyMap) {
  QueryMap empty;
  QueryMap::Iterator it(empty);
  EXPECT_FALSE(it.isValid());
  EXPECT_TRUE(*it.begin() == *it.end());
  expectKeystoneError([&] { (void)*it; },
                      "Error in Vector<T>::operator[](const int index): index < 0 || index >= mSize");
  const QueryMap::Iterator& constant = it;
  expectKeystoneError([&] { (void)*constant; },
                      "Error in Vector<T>::operator[](const int index) const: index < 0 || index >= mSize");
}

TEST(KeystoneMapIterator, AssignmentFromAnotherKindThrows) {
  QueryMap map = sampleMap();
  QueryMap::Iterator it(map);
  ++it;
  Vector<Entry> entries;
  entries.add(Entry("z", "26"));
  Vector<Entry>::Iterator vectorIt(entries);
  Iterator_Base<Entry>& base = it;
  expectKeystoneError(
      [&] { base = vectorIt; },
      "Map<K, V>::Iterator::operator=(const Iterator_Base<Element>& _rhs): _rhs is not a map iterator");
  EXPECT_TRUE((*it).first == "b");
  EXPECT_FALSE(it == vectorIt);
}

TEST(KeystoneVectorIterator, SnapshotWalkAndMarkers) {
  Vector<String> v;
  v.add("x");
  v.add("y");
  Vector<String>::Iterator it(v);
  v.add("z");
  v[0] = "changed";
  std::string seen;
  for (; it.isValid(); ++it) seen += (*it).c_str();
  EXPECT_EQ("xy", seen);
  EXPECT_TRUE(it == *it.end());
  EXPECT_TRUE(*it.begin() != it);
  Vector<String>::Iterator second(v);
  second = it;
  EXPECT_TRUE(second == it);
  second = *second.begin();  // assignment from its own marker
  EXPECT_TRUE((*second) == "x");
  *second = "edited";
  EXPECT_TRUE(v[0] == "changed");
}

TEST(KeystoneVectorIterator, AssignmentFromAnotherKindThrows) {
  Vector<String> v;
  v.add("x");
  Vector<String>::Iterator it(v);
  OtherIterator other;
  Iterator_Base<String>& base = it;
  expectKeystoneError(
      [&] { base = other; },
      "Vector<T>::Iterator::operator=(const Iterator_Base<T>& _rhs): _rhs is not a vector iterator");
  EXPECT_TRUE(*it == "x");
}
