// Messages on the page: pop-ups through the site script, framed messages and error texts.
#pragma once
#include "keystone/Keystone"

namespace Ambry {

// Pops up text (isText true) or the resource text of the key text (isText false).
void popupMessage(const Keystone::String& text, const bool& isText);

// Pops up the error text that generateError composes.
void popupError(const Keystone::String& operation, const Keystone::String& key);

// A message framed in a one-cell table; isText as for popupMessage.
void printMessage(const Keystone::String& text, const bool& isText);

// The text of key with every "%s" replaced by the exception's message (HTML-escaped), framed.
void printError(const Keystone::String& key, const Keystone::Exception& exception);

// "Error in <operation>: <reason>" in the current language; an empty key gives no further info.
Keystone::String generateError(const Keystone::String& operation, const Keystone::String& key);

}  // namespace Ambry
