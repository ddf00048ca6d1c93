// A key and its value, the entry type of Map.
#ifndef KEYSTONE_PAIR_H
#define KEYSTONE_PAIR_H

namespace Keystone {

template <typename K, typename V>
struct Pair {
  Pair() : first(), second() {}
  Pair(const K& key, const V& value) : first(key), second(value) {}
  // Lets a Pair<K, V> become a Pair<const K, V> and the like.
  template <typename K2, typename V2>
  Pair(const Pair<K2, V2>& other) : first(other.first), second(other.second) {}

  K first;
  V second;
};

}  // namespace Keystone

#endif
