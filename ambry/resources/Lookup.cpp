// Lookups in the four tables: a missing key never throws but writes a message into the page.
#include <cstdio>

#include "ambry/escape/Escape.h"
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

// The value stored under key, or null. The tables keep their keys in ascending order, so halving
// finds what a scan from the start would find, in eight steps instead of seventy.
template <typename V>
const V* findSorted(const Keystone::Map<const String, V>& map, const String& key) {
  int low = 0;
  int high = map.size() - 1;
  while (low <= high) {
    const int middle = low + (high - low) / 2;
    const int order = map.keyAt(middle).compare(key.c_str());
    if (order == 0) return &map.entryAt(middle).second;
    if (order < 0) {
      low = middle + 1;
    } else {
      high = middle - 1;
    }
  }
  return nullptr;
}

// The text of key in the current language, or null when the language or the key is missing.
const String* findText(const String& key) {
  const ResourceTable& texts = resource;
  const auto* language = findSorted(texts, currentLanguage);
  return language ? findSorted(*language, key) : nullptr;
}

}  // namespace

String getResource(const String& key, const bool& returnKeyOnFailure) {
  if (const String* text = findText(key)) return *text;
  if (const String* translated = findText("err_getresource")) {
    writeMessage(*translated, key);
  } else {
    // The current language has no texts at all, so the message cannot be translated.
    String message = String("Error in getResource: Resource \"") + escapeHtml(key) +
                     "\" not in map (language " + escapeHtml(currentLanguage) + " possibly invalid)<br>\n";
    std::fputs(message.c_str(), stdout);
  }
  return returnKeyOnFailure ? key : String();
}

String getProperty(const String& key) {
  if (const String* value = findSorted(static_cast<const PropertyTable&>(property), key)) return *value;
  reportMissing("err_getproperty", key);
  return String();
}

Keystone::Array<String> getResourceArray(const String& name, const String& selector) {
  const ResourceArrayTable& arrays = resourceArray;
  const auto* lists = findSorted(arrays, selector.length() == 0 ? currentLanguage : selector);
  if (const auto* list = lists ? findSorted(*lists, name) : nullptr) return *list;
  reportMissing("err_getresource_array", name);
  return Keystone::Array<String>();
}

MapStringParameterMap getResourceMapStringParameterMap(const String& key) {
  const FormDescriptionTable& forms = resourceMapStringMapStringParameterMap;
  if (const MapStringParameterMap* form = findSorted(forms, key)) return *form;
  reportMissing("err_getresource_mapstringparametermap", key);
  return MapStringParameterMap();
}

}  // namespace Ambry
