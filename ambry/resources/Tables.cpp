// Builds the four tables from the compiled-in lists; settings may be replaced from the environment.
#include "ambry/resources/Tables.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "ambry/resources/PairLists.h"

namespace Ambry {

using Keystone::String;

namespace {

// The positions of count keys in ascending key order, equal keys in list order. Each entry then
// goes to the end of its map, made in place, without a walk past the keys already in it; the
// tables are built on every program start, so this keeps the start cheap. Lists already in order
// are not sorted again.
template <typename KeyAt>
std::vector<int> ascendingOrder(int count, KeyAt keyAt) {
  std::vector<int> order(count);
  for (int i = 0; i < count; ++i) order[i] = i;
  auto before = [&keyAt](int a, int b) {
    int byKey = std::strcmp(keyAt(a), keyAt(b));
    return byKey != 0 ? byKey < 0 : a < b;  // a repeated key: the later one comes last and wins
  };
  if (!std::is_sorted(order.begin(), order.end(), before)) std::sort(order.begin(), order.end(), before);
  return order;
}

// Keys the map's own order puts elsewhere (appendSorted checks each) still land in their place.
Keystone::Map<const String, String> textMap(const Resources::PairList& list) {
  Keystone::Map<const String, String> map;
  auto keyAt = [&list](int i) { return list.pairs[i].key; };
  for (int i : ascendingOrder(list.count, keyAt)) map.appendSorted(list.pairs[i].key, list.pairs[i].value);
  return map;
}

Keystone::Map<const String, Keystone::Array<String>> arrayMap(const Resources::NamedListSet& set) {
  Keystone::Map<const String, Keystone::Array<String>> map;
  auto nameAt = [&set](int i) { return set.lists[i].name; };
  for (int i : ascendingOrder(set.count, nameAt)) {
    const Resources::NamedList& list = set.lists[i];
    map.appendSorted(list.name, Keystone::Array<String>(list.items, list.count));
  }
  return map;
}

}  // namespace

// Each inner map is built whole and then moved into its place in the outer one.
ResourceTable buildResourceTable() {
  ResourceTable table;
  table.appendSorted("afr", textMap(Resources::afrikaansTexts()));
  table.appendSorted("eng", textMap(Resources::englishTexts()));
  return table;
}

ResourceArrayTable buildResourceArrayTable() {
  ResourceArrayTable table;
  table.appendSorted("afr", arrayMap(Resources::afrikaansCaptions()));
  table.appendSorted("eng", arrayMap(Resources::englishCaptions()));
  table.appendSorted("tables", arrayMap(Resources::tableColumns()));
  return table;
}

FormDescriptionTable buildFormDescriptionTable() {
  FormDescriptionTable table;
  Resources::FormLineList list = Resources::formDescriptions();
  for (int i = 0; i < list.count; ++i) {
    const Resources::FormLine& line = list.lines[i];
    ParameterMap& parameters = table[line.table][line.field];
    if (line.parameter) parameters[line.parameter] = line.value;
  }
  return table;
}

String settingVariableName(const String& key) {
  // Put together in one buffer: the name is made for every setting on every program start.
  std::vector<char> name(key.c_str(), key.c_str() + key.length());
  for (char& c : name) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  name.insert(name.begin(), {'A', 'M', 'B', 'R', 'Y', '_'});
  name.push_back('\0');
  return String(name.data());
}

PropertyTable buildPropertyTable() {
  PropertyTable table;
  Resources::PairList list = Resources::settings();
  for (int i = 0; i < list.count; ++i) {
    String key(list.pairs[i].key);
    // An empty variable counts as unset: an empty admin password would let anyone in.
    const char* replacement = std::getenv(settingVariableName(key).c_str());
    table.appendSorted(key, (replacement && *replacement) ? replacement : list.pairs[i].value);
  }
  return table;
}

}  // namespace Ambry
