// Builds the four tables from the compiled-in lists; settings may be replaced from the environment.
#include "ambry/resources/Tables.h"

#include <cstdlib>

#include "ambry/resources/PairLists.h"

namespace Ambry {

using Keystone::String;

namespace {

Keystone::Map<const String, String> textMap(const Resources::PairList& list) {
  Keystone::Map<const String, String> map;
  for (int i = 0; i < list.count; ++i) map[list.pairs[i].key] = list.pairs[i].value;
  return map;
}

Keystone::Array<String> stringArray(const Resources::NamedList& list) {
  return Keystone::Array<String>(list.items, list.count);
}

Keystone::Map<const String, Keystone::Array<String>> arrayMap(const Resources::NamedListSet& set) {
  Keystone::Map<const String, Keystone::Array<String>> map;
  for (int i = 0; i < set.count; ++i) map[set.lists[i].name] = stringArray(set.lists[i]);
  return map;
}

}  // namespace

ResourceTable buildResourceTable() {
  ResourceTable table;
  table["afr"] = textMap(Resources::afrikaansTexts());
  table["eng"] = textMap(Resources::englishTexts());
  return table;
}

ResourceArrayTable buildResourceArrayTable() {
  ResourceArrayTable table;
  table["tables"] = arrayMap(Resources::tableColumns());
  table["afr"] = arrayMap(Resources::afrikaansCaptions());
  table["eng"] = arrayMap(Resources::englishCaptions());
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
  String name("AMBRY_");
  for (int i = 0; i < key.length(); ++i) {
    char c = key[i];
    name += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return name;
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
