// The staff editors' data-entry form, generated from a table's columns, captions and description.
#pragma once
#include "keystone/Keystone"

namespace Ambry {

// Writes the whole form of the table ("blacklist", "book", "checkout", "member",
// "reservation") in one piece once it is complete.
void printEntryForm(const Keystone::String& table);

}  // namespace Ambry
