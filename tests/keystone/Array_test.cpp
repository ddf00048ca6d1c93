// Tests of Keystone::Array: construction from plain arrays, conversion, assignment and range checks.
#include "keystone/Array.h"

#include <gtest/gtest.h>

#include <cstring>

#include "KeystoneTestSupport.h"

using Keystone::Array;
using Keystone::String;

TEST(KeystoneArrayConstruct, CountsAndEmptyArrays) {
  int values[] = {4, 5, 6};
  Array<int> a(values, 3);
  values[0] = 99;  // the array holds copies
  ASSERT_EQ(3, a.size());
  EXPECT_EQ(4, a[0]);
  EXPECT_EQ(6, a[2]);
  EXPECT_EQ(0, Array<int>(values, 0).size());
  EXPECT_EQ(0, Array<int>(values, -3).size());
  EXPECT_EQ(0, Array<int>().size());
}

TEST(KeystoneArrayConstruct, FieldsAreSizeThenData) {
  struct ArrayFields {
    int mSize;
    int* mData;
  };
  int values[] = {1, 2};
  Array<int> a(values, 2);
  Array<int> none(values, 0);
  static_assert(sizeof(ArrayFields) == sizeof(Array<int>), "Array has other fields");
  ArrayFields fields;
  std::memcpy(&fields, &a, sizeof fields);
  EXPECT_EQ(2, fields.mSize);
  EXPECT_EQ(&a[0], fields.mData);
  std::memcpy(&fields, &none, sizeof fields);
  EXPECT_EQ(nullptr, fields.mData);
}

TEST(KeystoneArrayConstruct, StringsFromTexts) {
  const char* texts[] = {"id", "title", ""};
  Array<const char*> raw(texts, 3);
  Array<String> columns(raw);
  ASSERT_EQ(3, columns.size());
  EXPECT_TRUE(columns[1] == "title");
  EXPECT_EQ(0, columns[2].length());
  EXPECT_NE(texts[0], columns[0].c_str());
  Array<String> direct(texts, 2);
  EXPECT_TRUE(direct[0] == "id");
}

TEST(KeystoneArrayAssign, DifferentSizesAndDeepCopies) {
  String first[] = {"a", "b", "c"};
  String second[] = {"x"};
  Array<String> a(first, 3);
  Array<String> b(second, 1);
  b = a;
  ASSERT_EQ(3, b.size());
  b[0] = "changed";
  EXPECT_TRUE(a[0] == "a");
  a = Array<String>(second, 1);
  ASSERT_EQ(1, a.size());
  EXPECT_TRUE(a[0] == "x");
  Array<String>& self = a;
  a = self;
  EXPECT_TRUE(a[0] == "x");
  a = Array<String>();
  EXPECT_EQ(0, a.size());
  Array<String> copy(b);
  EXPECT_TRUE(copy[0] == "changed");
}

TEST(KeystoneArrayAccess, RangeChecks) {
  int values[] = {1, 2};
  Array<int> a(values, 2);
  const Array<int>& constant = a;
  Array<int> empty;
  const char* modifiable = "Error in Array<T>::operator[](const int index): index < 0 || index >= mSize";
  const char* readOnly = "Error in Array<T>::operator[](const int index) const: index < 0 || index >= mSize";
  expectKeystoneError([&] { (void)a[2]; }, modifiable);
  expectKeystoneError([&] { (void)a[-1]; }, modifiable);
  expectKeystoneError([&] { (void)empty[0]; }, modifiable);
  expectKeystoneError([&] { (void)constant[2]; }, readOnly);
  expectKeystoneError([&] { (void)constant[-1]; }, readOnly);
}

TEST(KeystoneArrayFailure, FailedAssignmentLeavesTargetAsItWas) {
  struct Fragile {
    Fragile() {}
    Fragile(int v) : value(v) {}
    Fragile& operator=(const Fragile& other) {
      if (other.value == 13) throw Keystone::Exception("unlucky");
      value = other.value;
      return *this;
    }
    int value = 0;
  };
  Fragile good[] = {1, 2};
  Array<Fragile> target(good, 2);
  Array<Fragile> source(good, 2);
  source[1].value = 13;  // set directly, bypassing the failing assignment
  EXPECT_THROW(target = source, Keystone::Exception);
  ASSERT_EQ(2, target.size());
  EXPECT_EQ(2, target[1].value);
}
