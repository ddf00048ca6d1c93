// A fixed-size sequence of elements held in one contiguous block.
#ifndef KEYSTONE_ARRAY_H
#define KEYSTONE_ARRAY_H

#include "keystone/Constant.h"
#include "keystone/Exception.h"

namespace Keystone {

// Copies are deep. A failed copy or assignment leaves the target as it was.
template <typename T>
class Array {
 public:
  Array() : mSize(0), mConstant(false), mData(0) {}
  // The constant form: the array is `elements` itself, laid out by the compiler, and frees nothing.
  constexpr Array(Constant, const T* elements, int count)
      : mSize(count), mConstant(true), mData(const_cast<T*>(elements)) {}
  // A negative count counts as 0; no elements leave mData null.
  Array(const T* elements, int count) : mSize(0), mConstant(false), mData(0) { fill(elements, count); }
  // Builds from elements of another type, e.g. an Array<String> from a list of const char*.
  template <typename U>
  Array(const U* elements, int count) : mSize(0), mConstant(false), mData(0) {
    fill(elements, count);
  }
  template <typename U>
  Array(const Array<U>& other) : mSize(0), mConstant(false), mData(0) {
    fillFrom(other);
  }
  Array(const Array<T>& other) : mSize(0), mConstant(false), mData(0) { fillFrom(other); }
  // Takes the elements over; the source is left empty, with mData null. A constant source is
  // copied: its elements are not there to take over.
  Array(Array<T>&& other) : mSize(0), mConstant(false), mData(0) {
    if (other.mConstant) {
      fillFrom(other);
    } else {
      swap(other);
    }
  }
  ~Array() {
    if (!mConstant) delete[] mData;
  }

  Array<T>& operator=(const Array<T>& other) {
    if (&other == this) return *this;
    Array<T> copy(other);
    swap(copy);
    return *this;
  }

  Array<T>& operator=(Array<T>&& other) {
    if (&other == this) return *this;
    Array<T> taken(static_cast<Array<T>&&>(other));
    swap(taken);
    return *this;
  }

  int size() const { return mSize; }
  T& operator[](const int index) {
    if (index < 0 || index >= mSize) {
      throw Exception("Error in Array<T>::operator[](const int index): index < 0 || index >= mSize");
    }
    if (mConstant) own();
    return mData[index];
  }
  const T& operator[](const int index) const {
    if (index < 0 || index >= mSize) {
      throw Exception("Error in Array<T>::operator[](const int index) const: index < 0 || index >= mSize");
    }
    return mData[index];
  }

 private:
  template <typename U>
  void fill(const U* elements, int count) {
    if (count <= 0) return;
    T* data = new T[count];
    try {
      for (int i = 0; i < count; ++i) data[i] = elements[i];
    } catch (...) {
      delete[] data;
      throw;
    }
    mData = data;
    mSize = count;
  }
  template <typename U>
  void fillFrom(const Array<U>& other) {
    if (other.size() <= 0) return;
    T* data = new T[other.size()];
    try {
      for (int i = 0; i < other.size(); ++i) data[i] = other[i];
    } catch (...) {
      delete[] data;
      throw;
    }
    mData = data;
    mSize = other.size();
  }
  void swap(Array<T>& other) {
    int size = mSize;
    bool constant = mConstant;
    T* data = mData;
    mSize = other.mSize;
    mConstant = other.mConstant;
    mData = other.mData;
    other.mSize = size;
    other.mConstant = constant;
    other.mData = data;
  }
  // Replaces the compiled-in elements of a constant array by a copy of its own.
  void own() {
    Array<T> copy(*this);
    swap(copy);
  }

  int mSize;
  // Set in the constant form only; it lies in the padding before mData, so the layout is unchanged.
  bool mConstant;
  T* mData;
};

}  // namespace Keystone

#endif
