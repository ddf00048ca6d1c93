// What the member result programs share: reading the posted form, result tables
// with shaded rows, and the handler that shows a failed database request on the page.
#pragma once
#include <functional>
#include <initializer_list>

#include "ambry/Ambry.h"
#include "ambry/db/AmbryDB.h"

namespace Patron {

// Writes the resource text of key as it stands, followed by suffix.
void writeResource(const char* key, const char* suffix);

// Pops up the resource text of key and sends the browser back to the form.
void refuse(const char* key);

// Copies the posted form into form. When nothing was posted, pops up uiErrorKey, goes back and
// returns false. Every field named is then present: one the body lacks counts as empty, so that
// neither the checks nor the database operations trip over a hand-made request.
bool readPostedForm(const char* uiErrorKey, std::initializer_list<const char*> fields, Ambry::QueryMap& form);

// Whether every named field, or at least one of them, has a non-empty value.
bool allFilled(const Ambry::QueryMap& form, std::initializer_list<const char*> fields);
bool anyFilled(const Ambry::QueryMap& form, std::initializer_list<const char*> fields);

// Checks the member number and password of form under the guess limit. False, with the refusal
// shown, when the address is held off or the two do not match; a check the database could not
// answer throws and counts nothing, so that an outage holds nobody off.
bool passwordAccepted(Ambry::AmbryDB& db, const Ambry::QueryMap& form);

// The rows of the last statement as a result table under the captions of pageKey, stored
// values HTML-escaped, every second row shaded.
void printRows(Ambry::AmbryDB& db, const char* pageKey);

// Opens one connection and runs work on it. A failure on the way is shown on the page and the
// page goes on; the connection is released before this returns, on every path.
void withDatabase(const std::function<void(Ambry::AmbryDB&)>& work);

}  // namespace Patron
