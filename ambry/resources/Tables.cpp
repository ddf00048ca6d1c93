// The resource table made of the two languages' texts, and settings replaced from the environment.
#include "ambry/resources/Tables.h"

#include <cstring>
#include <vector>

#include "ambry/resources/ConstantTables.h"

extern char** environ;

namespace Ambry {

using Keystone::String;

namespace {
// The two languages in key order, laid out when compiling.
KEYSTONE_CONSTINIT Resources::LanguageTexts* const kLanguageSlots[] = {
    const_cast<Resources::LanguageTexts*>(&Resources::afrikaansTextEntry.value),
    const_cast<Resources::LanguageTexts*>(&Resources::englishTextEntry.value),
};
}  // namespace

KEYSTONE_CONSTINIT ResourceTable resource(Keystone::Constant(), kLanguageSlots, 2);

String settingVariableName(const String& key) {
  std::vector<char> name(key.c_str(), key.c_str() + key.length());
  for (char& c : name) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  name.insert(name.begin(), {'A', 'M', 'B', 'R', 'Y', '_'});
  name.push_back('\0');
  return String(name.data());
}

// One walk over the environment: without AMBRY_ variables, as on most installations, the table is
// left as compiled in. The table is read through a constant view, so it is copied only when a
// setting really changes.
void applySettingOverrides(PropertyTable& table) {
  static const char kPrefix[] = "AMBRY_";
  const size_t prefixLength = sizeof kPrefix - 1;
  for (char** variable = environ; variable && *variable; ++variable) {
    if (std::strncmp(*variable, kPrefix, prefixLength) != 0) continue;
    const char* equals = std::strchr(*variable, '=');
    // An empty variable counts as unset: an empty admin password would let anyone in.
    if (!equals || equals[1] == '\0') continue;
    String name(*variable, 0, static_cast<int>(equals - *variable));
    const PropertyTable& settings = table;
    for (int i = 0; i < settings.size(); ++i) {
      if (settingVariableName(settings.keyAt(i)) != name) continue;
      if (settings.entryAt(i).second != equals + 1) table.valueAt(i) = equals + 1;
      break;
    }
  }
}

PropertyTable buildPropertyTable() {
  PropertyTable table(Resources::compiledSettings);
  applySettingOverrides(table);
  return table;
}

}  // namespace Ambry
