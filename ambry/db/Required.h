// The required-values check that opens every insert and update of the maintenance operations.
#pragma once
#include <initializer_list>

#include "keystone/Keystone"

namespace Ambry {

// Tells whether one of the keys is empty or absent: a field that was not sent at all (a list with
// nothing chosen) is not supplied either, and is refused like an empty one rather than thrown.
inline bool anyEmpty(const Keystone::Map<const Keystone::String, Keystone::String>& query,
                     std::initializer_list<const char*> keys) {
  for (const char* key : keys)
    if (query.get(key, Keystone::String()).length() == 0) return true;
  return false;
}

}  // namespace Ambry
