// Building the library's tables from the compiled-in lists, and the current language they are read in.
#pragma once
#include "ambry/resources/Resources.h"

namespace Ambry {

// The current language; defined with the library's load-time set-up, changed only by setLanguage.
extern Keystone::String currentLanguage;

ResourceTable buildResourceTable();
ResourceArrayTable buildResourceArrayTable();
FormDescriptionTable buildFormDescriptionTable();

// The compiled-in settings, each replaced by the environment variable AMBRY_<KEY> (the key in
// upper case) when that variable is set to a non-empty value.
PropertyTable buildPropertyTable();

// The name of the environment variable that overrides a setting: "AMBRY_" and the key in upper case.
Keystone::String settingVariableName(const Keystone::String& key);

}  // namespace Ambry
