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

// The positions of count keys in descending key order, equal keys in list order. A map filled in
// this order takes each new key in front after one comparison instead of a walk past every key
// already in it; the tables are built on every program start, so this keeps the start cheap.
template <typename KeyAt>
std::vector<int> descendingOrder(int count, KeyAt keyAt) {
  std::vector<int> order(count);
  for (int i = 0; i < count; ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&keyAt](int a, int b) {
    int byKey = std::strcmp(keyAt(a), keyAt(b));
    return byKey != 0 ? byKey > 0 : a < b;  // a repeated key: the later one is put last and wins
  });
  return order;
}

// Filled in place: a map assigned from a returned one would be copied entry by entry.
void fillTextMap(Keystone::Map<const String, String>& map, const Resources::PairList& list) {
  auto keyAt = [&list](int i) { return list.pairs[i].key; };
  for (int i : descendingOrder(list.count, keyAt)) map[list.pairs[i].key] = list.pairs[i].value;
}

void fillArrayMap(Keystone::Map<const String, Keystone::Array<String>>& map,
                  const Resources::NamedListSet& set) {
  auto nameAt = [&set](int i) { return set.lists[i].name; };
  for (int i : descendingOrder(set.count, nameAt)) {
    const Resources::NamedList& list = set.lists[i];
    map[list.name] = Keystone::Array<String>(list.items, list.count);
  }
}

}  // namespace

ResourceTable buildResourceTable() {
  ResourceTable table;
  fillTextMap(table["afr"], Resources::afrikaansTexts());
  fillTextMap(table["eng"], Resources::englishTexts());
  return table;
}

ResourceArrayTable buildResourceArrayTable() {
  ResourceArrayTable table;
  fillArrayMap(table["tables"], Resources::tableColumns());
  fillArrayMap(table["afr"], Resources::afrikaansCaptions());
  fillArrayMap(table["eng"], Resources::englishCaptions());
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
    table[key] = (replacement && *replacement) ? replacement : list.pairs[i].value;
  }
  return table;
}

}  // namespace Ambry
