// The library's tables as compiled in, settings replaced from the environment, and the current language.
#pragma once
#include "ambry/resources/Resources.h"

namespace Ambry {

// The current language; defined with the library's load-time set-up, changed only by setLanguage.
extern Keystone::String currentLanguage;

// Replaces each setting of table whose environment variable AMBRY_<KEY> (the key in upper case) is
// set to a non-empty value by that value; run once at load on the library's settings.
void applySettingOverrides(PropertyTable& table);

// The compiled-in settings with the environment's replacements, as the library has them after load.
PropertyTable buildPropertyTable();

// The name of the environment variable that overrides a setting: "AMBRY_" and the key in upper case.
Keystone::String settingVariableName(const Keystone::String& key);

}  // namespace Ambry
