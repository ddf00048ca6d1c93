// The checkout editor: loans, with check-in; a deleted or jumped-to loan shows even when returned.
#include "programs/editors/EntryEditor.h"

using namespace Ambry;

// A definition reads as one row of the editors' table.
// clang-format off
static const EditorDefinition checkoutEditor = {
    "checkout", "checkoutid", "oldcheckoutid",  // entity, id and previous-id parameters
    "admin_checkout", "title_admin_checkout",   // result captions, title
    &AmbryDB::searchCheckout, &AmbryDB::selectCheckout,
    &AmbryDB::insertCheckout, &AmbryDB::updateCheckout, &AmbryDB::deleteCheckout,
    checkInCommand(CMD_CHECKIN, &AmbryDB::returnCheckout),
    {"id", "checkoutDate", "inDate"},           // read-only fields
    {"returnDate"},                             // date controls
    {"checkoutDate", "returnDate"},             // today's date in an empty entry
    "btnReturnBook", true, false};              // check-in button, forced lookups, update shown
// clang-format on

int main() {
  return runEntryEditor(checkoutEditor);
}
