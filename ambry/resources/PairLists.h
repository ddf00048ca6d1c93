// The compiled-in pair lists from which the library builds its four tables at load.
#pragma once

namespace Ambry {
namespace Resources {

// One key and its text or value.
struct TextPair {
  const char* key;
  const char* value;
};

struct PairList {
  const TextPair* pairs;
  int count;
};

// A named list of strings: a table's column names or a page's captions.
struct NamedList {
  const char* name;
  const char* const* items;
  int count;
};

struct NamedListSet {
  const NamedList* lists;
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

struct FormLineList {
  const FormLine* lines;
  int count;
};

PairList englishTexts();
PairList afrikaansTexts();
PairList settings();  // in stored order
NamedListSet tableColumns();
NamedListSet englishCaptions();
NamedListSet afrikaansCaptions();
FormLineList formDescriptions();

}  // namespace Resources
}  // namespace Ambry
