// Lookups in the four tables: a missing key never throws but writes a message into the page.
#include <cstdio>

#include "ambry/framework/Escape.h"
#include "ambry/resources/Tables.h"

namespace Ambry {

using Keystone::String;

namespace {

// Writes a message text with every "%s" replaced by the (HTML-escaped) key that was asked for.
void writeMessage(String message, const String& key) {
  message.replace("%s", escapeHtml(key));
  std::fputs(message.c_str(), stdout);
}

// The message of a lookup other than getResource, fetched in the current language.
void reportMissing(const String& messageKey, const String& key) {
  writeMessage(getResource(messageKey, false), key);
}

}  // namespace

String getResource(const String& key, const bool& returnKeyOnFailure) {
  const ResourceTable& texts = resource;
  try {
    return texts[currentLanguage][key];
  } catch (const Keystone::Exception&) {
  }
  try {
    writeMessage(texts[currentLanguage]["err_getresource"], key);
  } catch (const Keystone::Exception&) {
    // The current language has no texts at all, so the message cannot be translated.
    String message = String("Error in getResource: Resource \"") + escapeHtml(key) +
                     "\" not in map (language " + escapeHtml(currentLanguage) + " possibly invalid)<br>\n";
    std::fputs(message.c_str(), stdout);
  }
  return returnKeyOnFailure ? key : String();
}

String getProperty(const String& key) {
  const PropertyTable& settings = property;
  try {
    return settings[key];
  } catch (const Keystone::Exception&) {
    reportMissing("err_getproperty", key);
    return String();
  }
}

Keystone::Array<String> getResourceArray(const String& name, const String& selector) {
  const ResourceArrayTable& arrays = resourceArray;
  try {
    return arrays[selector.length() == 0 ? currentLanguage : selector][name];
  } catch (const Keystone::Exception&) {
    reportMissing("err_getresource_array", name);
    return Keystone::Array<String>();
  }
}

MapStringParameterMap getResourceMapStringParameterMap(const String& key) {
  const FormDescriptionTable& forms = resourceMapStringMapStringParameterMap;
  try {
    return forms[key];
  } catch (const Keystone::Exception&) {
    reportMissing("err_getresource_mapstringparametermap", key);
    return MapStringParameterMap();
  }
}

}  // namespace Ambry
