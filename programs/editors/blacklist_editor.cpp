// The blacklist editor: members barred from borrowing, found also by a scanned member id.
#include "programs/editors/EntryEditor.h"

using namespace Ambry;

// A definition reads as one row of the editors' table.
// clang-format off
static const EditorDefinition blacklistEditor = {
    "blacklist", "blacklistid", "oldblacklistid",  // entity, id and previous-id parameters
    "admin_blacklist", "title_admin_blacklist",    // result captions, title
    &AmbryDB::searchBlacklisting, &AmbryDB::selectBlacklisting,
    &AmbryDB::insertBlacklisting, &AmbryDB::updateBlacklisting, &AmbryDB::deleteBlacklisting,
    scanOtherKeyCommand(CMD_MEMBERID_SCAN, "memberid", &AmbryDB::selectBlacklisting_MemberID,
                        "memberid"),
    {"id", "addDate"},                             // read-only fields
    {},                                            // date controls
    {"addDate"},                                   // today's date in an empty entry
    nullptr, false, true};                         // no extra button, no forced lookups, empty after update
// clang-format on

int main() {
  return runEntryEditor(blacklistEditor);
}
