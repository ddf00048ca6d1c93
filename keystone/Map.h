// A table from keys to values, kept in ascending key order, and its snapshot iterators.
#ifndef KEYSTONE_MAP_H
#define KEYSTONE_MAP_H

#include "keystone/Constant.h"
#include "keystone/Exception.h"
#include "keystone/Iterator_Base.h"
#include "keystone/Pair.h"
#include "keystone/Vector.h"

namespace Keystone {

// Keys are unique and sorted by the key type's < and >; lookups are linear scans. The order
// decides the order in which entries are visited, e.g. the parameters of a query text.
template <typename K, typename V>
class Map {
 public:
  typedef Pair<const K, V> Element;
  class Iterator;
  class ConstIterator;

  Map() {}
  // The constant form: `count` entries laid out by the compiler in ascending key order, reached
  // through `slots`. The first change through operator[] first gives the map copies of its own.
  constexpr Map(Constant, Pair<K, V>* const* slots, int count) : mVector(Constant(), slots, count) {}

  int size() const { return mVector.size(); }
  int indexOf(const K& key) const {
    for (int i = 0; i < mVector.size(); ++i) {
      if (mVector[i].first == key) return i;
    }
    return -1;
  }
  bool contains(const K& key) const { return indexOf(key) != -1; }

  // A missing key is first inserted, with a default value, at its sorted place.
  V& operator[](const K& key) {
    int i = 0;
    for (; i < mVector.size(); ++i) {
      if (mVector[i].first == key) return mVector[i].second;
      if (mVector[i].first > key) break;
    }
    // The entry is made in its slot: no temporary pair to copy.
    if (i < mVector.size()) {
      mVector.emplaceAt(i, key);
    } else {
      mVector.emplaceBack(key);
    }
    return mVector[i].second;
  }
  // Adds an entry whose key sorts after every key in the map at the end, made in place from
  // `key` (a K or what makes one) and `value`; any other key goes through operator[] and takes
  // the value there, so a repeated key keeps the last value given.
  template <typename KeyArg, typename ValueArg>
  void appendSorted(KeyArg&& key, ValueArg&& value) {
    int last = mVector.size() - 1;
    if (last < 0 || mVector[last].first < key) {
      mVector.emplaceBack(std::forward<KeyArg>(key), std::forward<ValueArg>(value));
    } else {
      (*this)[K(std::forward<KeyArg>(key))] = std::forward<ValueArg>(value);
    }
  }
  const V& operator[](const K& key) const {
    int i = indexOf(key);
    if (i == -1) throw Exception("Error in Map<K, V>::operator[](const K& key) const: no such key in map");
    return mVector[i].second;
  }
  V get(const K& key, const V& fallback) const {
    int i = indexOf(key);
    return i == -1 ? fallback : mVector[i].second;
  }

  // Entries by position, in key order; out-of-range positions throw the vector's message.
  const Pair<K, V>& entryAt(const int index) const { return mVector[index]; }
  const K& keyAt(const int index) const { return mVector[index].first; }
  V& valueAt(const int index) { return mVector[index].second; }
  const V& valueAt(const int index) const { return mVector[index].second; }

 private:
  Vector<Pair<K, V>> mVector;
};

// Walks a deep copy of the map's entries taken when the iterator is made: later changes to
// the map are not seen through it, and changes through operator* do not reach the map.
template <typename K, typename V>
class Map<K, V>::Iterator : public Iterator_Base<Pair<const K, V>> {
 public:
  typedef Pair<const K, V> Element;

  explicit Iterator(Map<K, V>& map) : Iterator(static_cast<const Map<K, V>&>(map), 0) {}
  Iterator(const Iterator& other)
      : Iterator_Base<Element>(),
        mPosition(other.mPosition),
        mSnapshot(other.mSnapshot),
        mBegin(0),
        mEnd(0) {}
  ~Iterator() override { dropMarkers(); }
  Iterator& operator=(const Iterator& rhs) { return assign(rhs); }

  Iterator& operator=(const Iterator_Base<Element>& rhs) override {
    const Iterator* other = dynamic_cast<const Iterator*>(&rhs);
    if (!other) {
      throw Exception(
          "Map<K, V>::Iterator::operator=(const Iterator_Base<Element>& _rhs): _rhs is not a map iterator");
    }
    return assign(*other);
  }
  bool operator==(const Iterator_Base<Element>& rhs) const override {
    const Iterator* other = dynamic_cast<const Iterator*>(&rhs);
    return other && other->mPosition == mPosition;
  }
  bool operator!=(const Iterator_Base<Element>& rhs) const override { return !(*this == rhs); }
  Iterator& operator++() override {
    ++mPosition;
    return *this;
  }
  Iterator& operator--() override {
    --mPosition;
    return *this;
  }
  Element& operator*() override { return mSnapshot[mPosition]; }
  const Element& operator*() const override { return mSnapshot[mPosition]; }
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

 protected:
  Iterator(const Map<K, V>& map, int position) : mPosition(position), mSnapshot(), mBegin(0), mEnd(0) {
    for (int i = 0; i < map.size(); ++i) mSnapshot.add(Element(map.entryAt(i)));
  }

 private:
  Iterator(const Vector<Element>& snapshot, int position)
      : mPosition(position), mSnapshot(snapshot), mBegin(0), mEnd(0) {}
  Iterator& assign(const Iterator& other) {
    if (&other == this) return *this;
    Vector<Element> snapshot(other.mSnapshot);  // may throw: nothing changed yet
    int position = other.mPosition;             // `other` may be one of our own markers
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
  Vector<Element> mSnapshot;
  mutable Iterator* mBegin;
  mutable Iterator* mEnd;
};

// The iterator of a constant map; it walks its own copy just the same.
template <typename K, typename V>
class Map<K, V>::ConstIterator : public Map<K, V>::Iterator {
 public:
  explicit ConstIterator(const Map<K, V>& map) : Iterator(map, 0) {}
  ConstIterator(const ConstIterator& other) : Iterator(other) {}
  ConstIterator& operator=(const ConstIterator& rhs) {
    Iterator::operator=(static_cast<const Iterator&>(rhs));
    return *this;
  }
  using Iterator::operator=;
};

}  // namespace Keystone

#endif
