// Helpers for the foundation type tests: exception text checks and views of the field layout.
#ifndef TESTS_KEYSTONE_KEYSTONETESTSUPPORT_H
#define TESTS_KEYSTONE_KEYSTONETESTSUPPORT_H

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "keystone/Keystone"

// Runs `action` and expects a Keystone::Exception carrying exactly `message`.
template <typename Action>
void expectKeystoneError(Action action, const char* message) {
  try {
    action();
    ADD_FAILURE() << "no exception, expected: " << message;
  } catch (const Keystone::Exception& error) {
    EXPECT_EQ(std::string(message), std::string(error.getMessage().c_str()));
  }
}

// The fields of a Vector in their declared order: programs and the library share this layout.
struct VectorFields {
  void** mData;
  int mSize;
  int mCapacity;
};

template <typename T>
VectorFields vectorFields(const Keystone::Vector<T>& vector) {
  static_assert(sizeof(VectorFields) == sizeof(Keystone::Vector<T>), "Vector has other fields");
  VectorFields fields;
  std::memcpy(&fields, &vector, sizeof fields);
  return fields;
}

// An element whose copy fails once the countdown reaches zero, to test failed operations.
struct FragileElement {
  static inline int copiesLeft = -1;  // negative: never fails
  explicit FragileElement(int value) : value(value) {}
  FragileElement(const FragileElement& other) : value(other.value) {
    if (copiesLeft == 0) throw Keystone::Exception("copy failed");
    if (copiesLeft > 0) --copiesLeft;
  }
  FragileElement& operator=(const FragileElement& other) = default;
  int value;
};

#endif
