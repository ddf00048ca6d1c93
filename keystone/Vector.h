// A growable sequence of separately allocated elements, and its snapshot iterator.
#ifndef KEYSTONE_VECTOR_H
#define KEYSTONE_VECTOR_H

#include <utility>

#include "keystone/Constant.h"
#include "keystone/Exception.h"
#include "keystone/Iterator_Base.h"

namespace Keystone {

// Elements live in their own allocations, so growing moves only pointers and an element's
// address stays fixed while it stays in the vector. Every failed operation leaves the vector
// as it was: new memory is allocated before anything is changed.
template <typename T>
class Vector {
 public:
  class Iterator;

  Vector() : mData(new T*[kInitialSlots]), mSize(0), mCapacity(kInitialSlots) {}
  // The constant form: `count` elements laid out by the compiler, reached through `slots`; it frees
  // nothing, and its first change makes it an ordinary vector holding copies of them.
  constexpr Vector(Constant, T* const* slots, int count)
      : mData(const_cast<T**>(slots)), mSize(count), mCapacity(kConstantSlots) {}
  Vector(const Vector<T>& other);
  // Takes the elements over; the source is left as clear() leaves it. A constant source is copied.
  Vector(Vector<T>&& other) : mData(other.mData), mSize(other.mSize), mCapacity(other.mCapacity) {
    if (other.mCapacity == kConstantSlots) {
      mData = copySlots(other.mData, other.mSize, slotsToCopy(other));
      mCapacity = slotsToCopy(other);
    } else {
      other.forget();
    }
  }
  ~Vector() { release(); }
  Vector<T>& operator=(const Vector<T>& other);
  Vector<T>& operator=(Vector<T>&& other);

  int size() const { return mSize; }
  T& operator[](const int index);
  const T& operator[](const int index) const;

  void add(const T& element) {
    own();
    place(new T(element));
  }
  void add(T&& element) {
    own();
    place(new T(std::move(element)));
  }
  void insert(const T& element, const int index);
  void insert(T&& element, const int index);
  // Makes the new last element in place from `args`, as add would place a copy.
  template <typename... Args>
  void emplaceBack(Args&&... args) {
    own();
    place(new T(std::forward<Args>(args)...));
  }
  // Makes a new element in place from `args` at `index`, under the rules of insert.
  template <typename... Args>
  void emplaceAt(const int index, Args&&... args) {
    checkInsertIndex(index);
    own();
    placeAt(new T(std::forward<Args>(args)...), index);
  }
  void clear();

 private:
  static const int kInitialSlots = 128;
  // The capacity that marks the constant form.
  static const int kConstantSlots = -1;

  // The slots a copy gets: the source's capacity, or for a constant source the capacity that
  // adding its elements one by one would have given.
  static int slotsToCopy(const Vector<T>& other) {
    if (other.mCapacity != kConstantSlots) return other.mCapacity;
    int slots = kInitialSlots;
    while (slots < other.mSize) slots *= 2;
    return slots;
  }
  // Frees the elements and slots unless they are compiled in.
  void release() {
    if (mCapacity != kConstantSlots) destroy(mData, mSize);
  }
  // Turns a constant vector into one that holds copies of its elements, before a change.
  void own() {
    if (mCapacity != kConstantSlots) return;
    int slots = slotsToCopy(*this);
    mData = copySlots(mData, mSize, slots);
    mCapacity = slots;
  }

  // Copies `size` elements of `slots` into a new slot array of `capacity` slots (none for 0).
  static T** copySlots(T* const* slots, int size, int capacity);
  static void destroy(T** slots, int size);
  // Appends an element already made, or inserts it at `index`; on failure the element is freed.
  void place(T* made);
  void placeAt(T* made, const int index);
  void checkInsertIndex(const int index) const;
  void forget() {
    mData = 0;
    mSize = 0;
    mCapacity = 0;
  }

  T** mData;
  int mSize;
  int mCapacity;
};

// Walks a deep copy of the vector taken when the iterator is made, so later changes to the
// vector are not seen through it, and changes through operator* do not reach the vector.
template <typename T>
class Vector<T>::Iterator : public Iterator_Base<T> {
 public:
  explicit Iterator(const Vector<T>& vector) : mPosition(0), mSnapshot(vector), mBegin(0), mEnd(0) {}
  Iterator(const Iterator& other)
      : Iterator_Base<T>(), mPosition(other.mPosition), mSnapshot(other.mSnapshot), mBegin(0), mEnd(0) {}
  ~Iterator() override { dropMarkers(); }
  Iterator& operator=(const Iterator& rhs) { return assign(rhs); }

  Iterator& operator=(const Iterator_Base<T>& rhs) override {
    const Iterator* other = dynamic_cast<const Iterator*>(&rhs);
    if (!other) {
      throw Exception(
          "Vector<T>::Iterator::operator=(const Iterator_Base<T>& _rhs): _rhs is not a vector iterator");
    }
    return assign(*other);
  }
  bool operator==(const Iterator_Base<T>& rhs) const override {
    const Iterator* other = dynamic_cast<const Iterator*>(&rhs);
    return other && other->mPosition == mPosition;
  }
  bool operator!=(const Iterator_Base<T>& rhs) const override { return !(*this == rhs); }
  Iterator& operator++() override {
    ++mPosition;
    return *this;
  }
  Iterator& operator--() override {
    --mPosition;
    return *this;
  }
  T& operator*() override { return mSnapshot[mPosition]; }
  const T& operator*() const override { return mSnapshot[mPosition]; }
  bool isValid() const override { return mPosition < mSnapshot.size(); }
  bool hasPrevious() const override { return mPosition != 0; }
  // The markers are made when first asked for: each is an iterator of its own.
  Iterator* begin() const override {
    if (!mBegin) mBegin = new Iterator(mSnapshot, 0);
    return mBegin;
  }
  Iterator* end() const override {
    if (!mEnd) mEnd = new Iterator(mSnapshot, mSnapshot.size());
    return mEnd;
  }

 private:
  Iterator(const Vector<T>& snapshot, int position)
      : mPosition(position), mSnapshot(snapshot), mBegin(0), mEnd(0) {}
  Iterator& assign(const Iterator& other) {
    if (&other == this) return *this;
    Vector<T> snapshot(other.mSnapshot);  // may throw: nothing changed yet
    int position = other.mPosition;       // `other` may be one of our own markers
    dropMarkers();
    mSnapshot = snapshot;
    mPosition = position;
    return *this;
  }
  void dropMarkers() {
    delete mBegin;
    delete mEnd;
    mBegin = 0;
    mEnd = 0;
  }

  int mPosition;
  Vector<T> mSnapshot;
  mutable Iterator* mBegin;
  mutable Iterator* mEnd;
};

template <typename T>
T** Vector<T>::copySlots(T* const* slots, int size, int capacity) {
  if (capacity == 0) return 0;
  T** copy = new T*[capacity];
  int done = 0;
  try {
    for (; done < size; ++done) copy[done] = new T(*slots[done]);
  } catch (...) {
    destroy(copy, done);
    throw;
  }
  return copy;
}

template <typename T>
void Vector<T>::destroy(T** slots, int size) {
  for (int i = 0; i < size; ++i) delete slots[i];
  delete[] slots;
}

template <typename T>
Vector<T>::Vector(const Vector<T>& other)
    : mData(copySlots(other.mData, other.mSize, slotsToCopy(other))),
      mSize(other.mSize),
      mCapacity(slotsToCopy(other)) {}

template <typename T>
Vector<T>& Vector<T>::operator=(const Vector<T>& other) {
  if (&other == this) return *this;
  T** copy = copySlots(other.mData, other.mSize, slotsToCopy(other));
  release();
  mData = copy;
  mSize = other.mSize;
  mCapacity = slotsToCopy(other);
  return *this;
}

// A constant vector takes copies of its elements before it hands out one that may be changed.
template <typename T>
T& Vector<T>::operator[](const int index) {
  if (index < 0 || index >= mSize) {
    throw Exception("Error in Vector<T>::operator[](const int index): index < 0 || index >= mSize");
  }
  own();
  return *mData[index];
}

template <typename T>
const T& Vector<T>::operator[](const int index) const {
  if (index < 0 || index >= mSize) {
    throw Exception("Error in Vector<T>::operator[](const int index) const: index < 0 || index >= mSize");
  }
  return *mData[index];
}

template <typename T>
Vector<T>& Vector<T>::operator=(Vector<T>&& other) {
  if (&other == this) return *this;
  if (other.mCapacity == kConstantSlots) return *this = static_cast<const Vector<T>&>(other);
  release();
  mData = other.mData;
  mSize = other.mSize;
  mCapacity = other.mCapacity;
  other.forget();
  return *this;
}

template <typename T>
void Vector<T>::place(T* made) {
  if (!mData || mSize == mCapacity) {
    // A cleared vector starts again at 128 slots; a full one doubles.
    int capacity = (!mData || mSize == 0) ? kInitialSlots : 2 * mSize;
    T** slots;
    try {
      slots = new T*[capacity];
    } catch (...) {
      delete made;
      throw;
    }
    for (int i = 0; i < mSize; ++i) slots[i] = mData[i];
    delete[] mData;
    mData = slots;
    mCapacity = capacity;
  }
  mData[mSize++] = made;
}

template <typename T>
void Vector<T>::checkInsertIndex(const int index) const {
  if (!(mData && mSize) && index != 0) {
    throw Exception(
        "Error in Vector<T>::insert(const T& element, const int index): !(mData && mSize) && index != 0");
  }
  if (mSize > 0 && index > mSize - 1) {
    throw Exception("Error in Vector<T>::insert(const T& element, const int index): index > mSize - 1");
  }
  if (index < 0) {
    throw Exception("Error in Vector<T>::insert(const T& element, const int index): index < 0");
  }
}

template <typename T>
void Vector<T>::insert(const T& element, const int index) {
  checkInsertIndex(index);
  own();
  placeAt(new T(element), index);
}

template <typename T>
void Vector<T>::insert(T&& element, const int index) {
  checkInsertIndex(index);
  own();
  placeAt(new T(std::move(element)), index);
}

template <typename T>
void Vector<T>::placeAt(T* made, const int index) {
  if (!mData || mSize == 0 || mSize == mCapacity) {
    int capacity = mSize == 0 ? kInitialSlots : 2 * mSize;
    T** slots;
    try {
      slots = new T*[capacity];
    } catch (...) {
      delete made;
      throw;
    }
    for (int i = 0; i < index; ++i) slots[i] = mData[i];
    for (int i = index; i < mSize; ++i) slots[i + 1] = mData[i];
    delete[] mData;
    mData = slots;
    mCapacity = capacity;
  } else {
    for (int i = mSize; i > index; --i) mData[i] = mData[i - 1];
  }
  mData[index] = made;
  ++mSize;
}

template <typename T>
void Vector<T>::clear() {
  release();
  mData = 0;
  mSize = 0;
  mCapacity = 0;
}

}  // namespace Keystone

#endif
