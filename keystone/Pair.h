// A key and its value, the entry type of Map.
#ifndef KEYSTONE_PAIR_H
#define KEYSTONE_PAIR_H

#include <utility>

#include "keystone/Constant.h"

namespace Keystone {

template <typename K, typename V>
struct Pair {
  Pair() : first(), second() {}
  Pair(const K& key, const V& value) : first(key), second(value) {}
  // A key with a default value, made in place.
  explicit Pair(const K& key) : first(key), second() {}
  // Each half made straight from what is given: a text becomes the key, a finished value is moved in.
  template <typename K2, typename V2>
  Pair(K2&& key, V2&& value) : first(std::forward<K2>(key)), second(std::forward<V2>(value)) {}
  // Lets a Pair<K, V> become a Pair<const K, V> and the like.
  template <typename K2, typename V2>
  Pair(const Pair<K2, V2>& other) : first(other.first), second(other.second) {}
  // The constant form: a compiled-in key text, and a value made in its constant form from the rest.
  template <typename... ValueArgs>
  constexpr Pair(Constant, const char* key, ValueArgs... value) : first(Constant(), key), second(Constant(), value...) {}

  K first;
  V second;
};

}  // namespace Keystone

#endif
