// The required-values check that opens every insert and update of the maintenance operations.
#pragma once
#include <initializer_list>

#include "keystone/Keystone"

namespace Ambry {

// Looks the keys up in order (an absent key throws the map's exception) and tells whether one
// of them is empty; the keys after the first empty one are not looked at.
inline bool anyEmpty(const Keystone::Map<const Keystone::String, Keystone::String>& query,
                     std::initializer_list<const char*> keys) {
  for (const char* key : keys)
    if (query[key].length() == 0) return true;
  return false;
}

}  // namespace Ambry
