// Tests of Keystone::Vector: growth, insertion at the edges, clearing, copies and failures.
#include "keystone/Vector.h"

#include <gtest/gtest.h>

#include "KeystoneTestSupport.h"

using Keystone::String;
using Keystone::Vector;

namespace {

const char* kInsertEmpty =
    "Error in Vector<T>::insert(const T& element, const int index): !(mData && mSize) && index != 0";
const char* kInsertPastEnd =
    "Error in Vector<T>::insert(const T& element, const int index): index > mSize - 1";

Vector<int> numbers(int count) {
  Vector<int> v;
  for (int i = 0; i < count; ++i) v.add(i);
  return v;
}

void expectNumbers(const Vector<int>& v, std::initializer_list<int> expected) {
  ASSERT_EQ(static_cast<int>(expected.size()), v.size());
  int i = 0;
  for (int value : expected) EXPECT_EQ(value, v[i++]) << "at " << i - 1;
}

}  // namespace

TEST(KeystoneVectorGrowth, NewVectorHas128Slots) {
  Vector<String> v;
  VectorFields fields = vectorFields(v);
  EXPECT_EQ(0, v.size());
  EXPECT_EQ(0, fields.mSize);
  EXPECT_EQ(128, fields.mCapacity);
  EXPECT_NE(nullptr, fields.mData);
}

TEST(KeystoneVectorGrowth, The129thAddDoublesAndKeepsOrder) {
  Vector<int> v = numbers(128);
  EXPECT_EQ(128, vectorFields(v).mCapacity);
  const int* first = &v[0];
  v.add(128);
  EXPECT_EQ(256, vectorFields(v).mCapacity);
  ASSERT_EQ(129, v.size());
  for (int i = 0; i < 129; ++i) EXPECT_EQ(i, v[i]);
  EXPECT_EQ(first, &v[0]);  // growing moves pointers, not elements
  for (int i = 129; i < 257; ++i) v.add(i);
  EXPECT_EQ(512, vectorFields(v).mCapacity);
  EXPECT_EQ(256, v[256]);
}

TEST(KeystoneVectorInsert, IntoEmptyVector) {
  Vector<int> v;
  expectKeystoneError([&] { v.insert(7, 1); }, kInsertEmpty);
  expectKeystoneError([&] { v.insert(7, -1); }, kInsertEmpty);
  EXPECT_EQ(0, v.size());
  v.insert(7, 0);  // index mSize of an empty vector is 0
  expectNumbers(v, {7});
  EXPECT_EQ(128, vectorFields(v).mCapacity);
}

TEST(KeystoneVectorInsert, AtEdgesOfSmallVector) {
  Vector<int> v = numbers(3);
  v.insert(10, 0);
  expectNumbers(v, {10, 0, 1, 2});
  v.insert(11, 1);
  expectNumbers(v, {10, 11, 0, 1, 2});
  v.insert(12, v.size() - 1);
  expectNumbers(v, {10, 11, 0, 1, 12, 2});
  expectKeystoneError([&] { v.insert(13, v.size()); }, kInsertPastEnd);
  expectNumbers(v, {10, 11, 0, 1, 12, 2});
}

TEST(KeystoneVectorInsert, IntoFullVector) {
  for (int index : {0, 1, 127}) {
    Vector<int> v = numbers(128);
    v.insert(-5, index);
    EXPECT_EQ(256, vectorFields(v).mCapacity);
    ASSERT_EQ(129, v.size());
    EXPECT_EQ(-5, v[index]);
    for (int i = 0; i < 128; ++i) EXPECT_EQ(i, v[i < index ? i : i + 1]) << "index " << index;
  }
  Vector<int> full = numbers(128);
  expectKeystoneError([&] { full.insert(-5, 128); }, kInsertPastEnd);
  EXPECT_EQ(128, full.size());
  EXPECT_EQ(127, full[127]);
  EXPECT_EQ(128, vectorFields(full).mCapacity);
}

TEST(KeystoneVectorInsert, NegativeIndexOfFilledVectorIsRefused) {
  Vector<int> v = numbers(4);
  EXPECT_THROW(v.insert(9, -1), Keystone::Exception);
  expectNumbers(v, {0, 1, 2, 3});
}

TEST(KeystoneVectorClear, ClearedVectorGrowsAgain) {
  Vector<String> v;
  v.add("a");
  v.clear();
  VectorFields fields = vectorFields(v);
  EXPECT_EQ(nullptr, fields.mData);
  EXPECT_EQ(0, fields.mSize);
  EXPECT_EQ(0, fields.mCapacity);
  // The slot count must follow the new slot array, or adds past 128 would overrun it.
  for (int i = 0; i < 300; ++i) v.add(String(i));
  EXPECT_EQ(300, v.size());
  EXPECT_EQ(512, vectorFields(v).mCapacity);
  EXPECT_EQ("299", std::string(v[299].c_str()));
  v.clear();
  v.insert("x", 0);
  for (int i = 0; i < 200; ++i) v.insert(String(i), 0);
  EXPECT_EQ(201, v.size());
  EXPECT_EQ("x", std::string(v[200].c_str()));
}

TEST(KeystoneVectorCopy, DeepCopyAndAssignment) {
  Vector<String> a;
  a.add("one");
  a.add("two");
  Vector<String> b(a);
  b[0] = "changed";
  EXPECT_EQ("one", std::string(a[0].c_str()));
  EXPECT_EQ(vectorFields(a).mCapacity, vectorFields(b).mCapacity);
  Vector<String> c;
  c.add("old");
  c = a;
  EXPECT_EQ(2, c.size());
  EXPECT_EQ("two", std::string(c[1].c_str()));
  Vector<String>& self = c;
  c = self;
  EXPECT_EQ(2, c.size());
  Vector<String> cleared;
  cleared.clear();
  Vector<String> copyOfCleared(cleared);
  EXPECT_EQ(nullptr, vectorFields(copyOfCleared).mData);
  copyOfCleared.add("again");
  EXPECT_EQ(1, copyOfCleared.size());
}

TEST(KeystoneVectorAccess, RangeChecks) {
  Vector<int> v = numbers(2);
  const Vector<int>& constant = v;
  const char* modifiable = "Error in Vector<T>::operator[](const int index): index < 0 || index >= mSize";
  const char* readOnly = "Error in Vector<T>::operator[](const int index) const: index < 0 || index >= mSize";
  expectKeystoneError([&] { (void)v[2]; }, modifiable);
  expectKeystoneError([&] { (void)v[-1]; }, modifiable);
  expectKeystoneError([&] { (void)constant[2]; }, readOnly);
  expectKeystoneError([&] { (void)constant[-1]; }, readOnly);
  EXPECT_EQ(1, constant[1]);
}

TEST(KeystoneVectorFailure, FailedCopyLeavesVectorAsItWas) {
  Vector<FragileElement> v;
  for (int i = 0; i < 128; ++i) v.add(FragileElement(i));
  FragileElement::copiesLeft = 0;
  EXPECT_THROW(v.add(FragileElement(500)), Keystone::Exception);
  EXPECT_THROW(v.insert(FragileElement(500), 3), Keystone::Exception);
  EXPECT_THROW(Vector<FragileElement> copy(v), Keystone::Exception);
  FragileElement::copiesLeft = -1;
  Vector<FragileElement> target;
  target.add(FragileElement(-1));
  FragileElement::copiesLeft = 50;  // fails half-way through the copy
  EXPECT_THROW(target = v, Keystone::Exception);
  FragileElement::copiesLeft = -1;
  ASSERT_EQ(1, target.size());
  EXPECT_EQ(-1, target[0].value);
  ASSERT_EQ(128, v.size());
  EXPECT_EQ(128, vectorFields(v).mCapacity);
  for (int i = 0; i < 128; ++i) EXPECT_EQ(i, v[i].value);
}
