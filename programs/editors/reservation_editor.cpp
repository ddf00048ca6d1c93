// The reservation editor: members' claims on books.
#include "programs/editors/EntryEditor.h"

using namespace Ambry;

// A definition reads as one row of the editors' table.
// clang-format off
static const EditorDefinition reservationEditor = {
    "reservation", "reservationid", "oldreservationid",  // entity, id and previous-id parameters
    "admin_reservation", "title_admin_reservation",      // result captions, title
    &AmbryDB::searchReservation, &AmbryDB::selectReservation,
    &AmbryDB::insertReservation, &AmbryDB::updateReservation, &AmbryDB::deleteReservation,
    noExtraCommand(),
    {"id", "addDate"},                                   // read-only fields
    {},                                                  // date controls
    {"addDate"},                                         // today's date in an empty entry
    nullptr, false, false};                              // no extra button, no forced lookups, update shown
// clang-format on

int main() {
  return runEntryEditor(reservationEditor);
}
