// The book editor: the catalogue, with a scanned ISBN finding its book.
#include "programs/editors/EntryEditor.h"

using namespace Ambry;

// A definition reads as one row of the editors' table.
// clang-format off
static const EditorDefinition bookEditor = {
    "book", "bookid", "oldbookid",         // entity, id and previous-id parameters
    "admin_book", "title_admin_book",      // result captions, title
    &AmbryDB::searchBook, &AmbryDB::selectBook,
    &AmbryDB::insertBook, &AmbryDB::updateBook, &AmbryDB::deleteBook,
    scanOtherKeyCommand(CMD_ISBN_SCAN, "isbn", &AmbryDB::selectBook_ISBN, "isbn"),
    {"id", "addDate"},                     // read-only fields
    {},                                    // date controls
    {"addDate"},                           // today's date in an empty entry
    nullptr, false, false};                // no extra button, no forced lookups, update shown
// clang-format on

int main() {
  return runEntryEditor(bookEditor);
}
