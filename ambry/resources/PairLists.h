// The shapes of the compiled-in lists from which the compiler lays out the library's four tables.
#pragma once

namespace Ambry {
namespace Resources {

// One key and its text or value.
struct TextPair {
  const char* key;
  const char* value;
};

// A named list of strings: a table's column names or a page's captions.
struct NamedList {
  const char* name;
  const char* const* items;
  int count;
};

// One line of a form description: table, field (or "custom", "additional"), parameter, value.
// A null parameter gives the field an empty parameter map.
struct FormLine {
  const char* table;
  const char* field;
  const char* parameter;
  const char* value;
};

}  // namespace Resources
}  // namespace Ambry
