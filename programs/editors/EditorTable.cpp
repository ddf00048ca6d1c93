// The editors' table: one row per staff editor, and the keys each row's name gives.
#include <cstring>

#include "programs/editors/EntryEditor.h"

namespace Editors {

namespace {

using Ambry::CMD_CHECKIN;
using Ambry::CMD_ISBN_SCAN;
using Ambry::CMD_MEMBERID_SCAN;

// Columns: name; search, select, insert, update, delete; the extra command; read-only fields, date
// controls, fields given today's date in an empty entry, fixed values of an empty entry; the extra
// button; flags.
// clang-format off
const EditorDefinition editors[] = {
    // Loans, with check-in; a deleted or jumped-to loan shows even when returned.
    {"checkout",
     &AmbryDB::searchCheckout, &AmbryDB::selectCheckout,
     &AmbryDB::insertCheckout, &AmbryDB::updateCheckout, &AmbryDB::deleteCheckout,
     checkInCommand(CMD_CHECKIN, &AmbryDB::returnCheckout),
     {"id", "checkoutDate", "inDate"}, {"returnDate"}, {"checkoutDate", "returnDate"}, {},
     "btnReturnBook", SHOWS_CLOSED_ENTRIES},
    // The catalogue, with a scanned ISBN finding its book, and a new book's details fetched by it. A
    // new book starts as new: its condition is always one of the list's choices, the first one.
    {"book",
     &AmbryDB::searchBook, &AmbryDB::selectBook,
     &AmbryDB::insertBook, &AmbryDB::updateBook, &AmbryDB::deleteBook,
     scanOtherKeyCommand(CMD_ISBN_SCAN, "isbn", &AmbryDB::selectBook_ISBN, "isbn"),
     {"id", "addDate"}, {}, {"addDate"}, {{"_condition", "10"}},
     NO_BUTTON, FETCHES_DETAILS},
    // The register of members, whose ids staff type or scan: the id stays editable.
    {"member",
     &AmbryDB::searchMember, &AmbryDB::selectMember,
     &AmbryDB::insertMember, &AmbryDB::updateMember, &AmbryDB::deleteMember,
     scanOwnIdCommand(CMD_MEMBERID_SCAN, "memberid", "id"),
     {"addDate"}, {"accountExpiryDate"}, {"addDate", "accountExpiryDate"}, {},
     NO_BUTTON, NO_FLAGS},
    // Members barred from borrowing, found also by a scanned member id.
    {"blacklist",
     &AmbryDB::searchBlacklisting, &AmbryDB::selectBlacklisting,
     &AmbryDB::insertBlacklisting, &AmbryDB::updateBlacklisting, &AmbryDB::deleteBlacklisting,
     scanOtherKeyCommand(CMD_MEMBERID_SCAN, "memberid", &AmbryDB::selectBlacklisting_MemberID, "memberid"),
     {"id", "addDate"}, {}, {"addDate"}, {},
     NO_BUTTON, EMPTY_AFTER_UPDATE},
    // Members' claims on books.
    {"reservation",
     &AmbryDB::searchReservation, &AmbryDB::selectReservation,
     &AmbryDB::insertReservation, &AmbryDB::updateReservation, &AmbryDB::deleteReservation,
     noExtraCommand(),
     {"id", "addDate"}, {}, {"addDate"}, {},
     NO_BUTTON, NO_FLAGS},
};
// clang-format on

}  // namespace

const EditorDefinition& editorNamed(const char* name) {
  for (const EditorDefinition& editor : editors)
    if (std::strcmp(editor.name, name) == 0) return editor;
  throw Keystone::Exception(Keystone::String("Error in editorNamed(\"") + name + "\"): no such editor");
}

Keystone::String idParameter(const EditorDefinition& editor) {
  return Keystone::String(editor.name) + "id";
}

Keystone::String previousIdParameter(const EditorDefinition& editor) {
  return "old" + idParameter(editor);
}

Keystone::String captionsKey(const EditorDefinition& editor) {
  return Keystone::String("admin_") + editor.name;
}

Keystone::String titleKey(const EditorDefinition& editor) {
  return "title_" + captionsKey(editor);
}

bool hasFlag(const EditorDefinition& editor, EditorFlags flag) {
  return (editor.flags & flag) != 0;
}

}  // namespace Editors
