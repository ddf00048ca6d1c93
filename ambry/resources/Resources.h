// Texts in both languages, settings, column lists and form descriptions, and the current language.
#pragma once
#include "keystone/Keystone"

namespace Ambry {

// Parameter name to value: one field's entry of a form description.
using ParameterMap = Keystone::Map<const Keystone::String, Keystone::String>;
// Field name (or "custom", "additional") to its parameter map: one table's form description.
using MapStringParameterMap = Keystone::Map<const Keystone::String, ParameterMap>;

// Language code ("afr", "eng") to resource key to text.
using ResourceTable =
    Keystone::Map<const Keystone::String, Keystone::Map<const Keystone::String, Keystone::String>>;
// Property key to value.
using PropertyTable = Keystone::Map<const Keystone::String, Keystone::String>;
// Selector ("tables", "afr", "eng") to table or page key to its column names or captions.
using ResourceArrayTable =
    Keystone::Map<const Keystone::String,
                  Keystone::Map<const Keystone::String, Keystone::Array<Keystone::String>>>;
// Table key to its form description.
using FormDescriptionTable = Keystone::Map<const Keystone::String, MapStringParameterMap>;

// The four tables, built when the library is loaded and only read afterwards. Programs use the
// lookup functions below, never the tables themselves.
extern ResourceTable resource;
extern PropertyTable property;
extern ResourceArrayTable resourceArray;
extern FormDescriptionTable resourceMapStringMapStringParameterMap;

// The text of key in the current language. A missing language or key writes a message into the
// page and gives the key itself when returnKeyOnFailure is true, else the empty string.
Keystone::String getResource(const Keystone::String& key, const bool& returnKeyOnFailure);

// The value of a setting; a missing key writes a message and gives the empty string.
Keystone::String getProperty(const Keystone::String& key);

// The column names ("tables") or captions (a language; "" for the current one) stored under name;
// a missing selector or name writes a message and gives an empty array.
Keystone::Array<Keystone::String> getResourceArray(const Keystone::String& name,
                                                   const Keystone::String& selector);

// The form description of a table; a missing key writes a message and gives an empty map.
MapStringParameterMap getResourceMapStringParameterMap(const Keystone::String& key);

// Makes language the current one when it occurs in the supported_languages setting; otherwise
// writes a message and keeps the current language.
void setLanguage(const Keystone::String& language);

// As setLanguage, but writes nothing: for work done before a page's header, whose messages must
// already be in the page's language. The page's own setLanguage still reports a wrong code.
void setLanguageQuietly(const Keystone::String& language);

// The current language code.
const Keystone::String& getLanguage();

// True for exactly one of the codes of the supported_languages setting (not a part of the list,
// as setLanguage accepts): what a download names its texts by must be a language with texts.
bool isListedLanguage(const Keystone::String& language);

}  // namespace Ambry
