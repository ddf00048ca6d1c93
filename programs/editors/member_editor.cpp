// The member editor: the register of members, whose ids staff type or scan.
#include "programs/editors/EntryEditor.h"

using namespace Ambry;

// A definition reads as one row of the editors' table.
// clang-format off
static const EditorDefinition memberEditor = {
    "member", "memberid", "oldmemberid",   // entity, id and previous-id parameters
    "admin_member", "title_admin_member",  // result captions, title
    &AmbryDB::searchMember, &AmbryDB::selectMember,
    &AmbryDB::insertMember, &AmbryDB::updateMember, &AmbryDB::deleteMember,
    scanOwnIdCommand(CMD_MEMBERID_SCAN, "memberid", "id"),
    {"addDate"},                           // read-only fields: the id stays editable
    {"accountExpiryDate"},                 // date controls
    {"addDate", "accountExpiryDate"},      // today's date in an empty entry
    nullptr, false, false};                // no extra button, no forced lookups, update shown
// clang-format on

int main() {
  return runEntryEditor(memberEditor);
}
