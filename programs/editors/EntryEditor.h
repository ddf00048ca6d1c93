// The staff entry editor: one program pattern that each table's editor runs with its own row of values.
#pragma once
#include <vector>

#include "ambry/Ambry.h"
#include "ambry/db/AmbryDB.h"
#include "ambry/framework/Commands.h"

namespace Editors {

using Ambry::AmbryDB;
using Ambry::QueryMap;

using EditorQuery = void (AmbryDB::*)(const QueryMap& query) const;
using EditorInsert = Keystone::String (AmbryDB::*)(const QueryMap& query);
using EditorChange = void (AmbryDB::*)(const QueryMap& query);

// What a table's one extra command does.
enum class ExtraKind {
  None,
  // Carries out an operation on the posted id, then shows that entry or its neighbours, quietly.
  CheckIn,
  // A code scanned into another column: shows the entry that has it, or an empty entry carrying it.
  ScanOtherKey,
  // A scanned id: shows that entry, or a fresh entry ready to be added under that id.
  ScanOwnId
};

struct ExtraCommand {
  ExtraKind kind;
  int code;
  const char* scanKey;     // parameter that receives the scanned code
  const char* scanField;   // form field that shows the scanned code in an empty entry
  EditorQuery scanSelect;  // ScanOtherKey: the select that finds the entry by that key
  EditorChange checkIn;    // CheckIn: the operation
};

ExtraCommand noExtraCommand();
ExtraCommand checkInCommand(int code, EditorChange operation);
ExtraCommand scanOtherKeyCommand(int code, const char* key, EditorQuery select, const char* field);
ExtraCommand scanOwnIdCommand(int code, const char* key, const char* field);

// The ways an editor's behaviour may differ, combined with |.
enum EditorFlags {
  NO_FLAGS = 0,
  SHOWS_CLOSED_ENTRIES = 1,  // deleted or jumped-to entries are shown even if closed
  EMPTY_AFTER_UPDATE = 2,    // an update shows the empty entry, not the posted one
  FETCHES_DETAILS = 4        // a new entry's details can be fetched from the shared catalogue
};

// No button is made usable beyond the other controls.
constexpr const char* NO_BUTTON = nullptr;

// A field's value in an empty entry.
struct FieldValue {
  const char* field;
  const char* value;
};

// One row of the editors' table: everything in which one table's editor differs from another's.
struct EditorDefinition {
  const char* name;  // table key of the form and its field list; the other keys derive from it
  EditorQuery search;
  EditorQuery select;
  EditorInsert insert;
  EditorChange update;
  EditorChange remove;
  ExtraCommand extra;
  std::vector<const char*> readOnlyFields;
  std::vector<const char*> dateControlFields;
  std::vector<const char*> todayFields;  // given today's date in an empty entry
  std::vector<FieldValue> startValues;   // fixed values of an empty entry
  const char* enabledButton;             // made usable with the other controls, or NO_BUTTON
  int flags;                             // EditorFlags
};

// The keys derived from the name, for "book": "bookid", "oldbookid", "admin_book" (the column
// captions of the result table) and "title_admin_book".
Keystone::String idParameter(const EditorDefinition& editor);
Keystone::String previousIdParameter(const EditorDefinition& editor);
Keystone::String captionsKey(const EditorDefinition& editor);
Keystone::String titleKey(const EditorDefinition& editor);

bool hasFlag(const EditorDefinition& editor, EditorFlags flag);

// The row of the editors' table named name ("book"); a name no row has is a mistake of the
// program's and throws.
const EditorDefinition& editorNamed(const char* name);

// The whole request: frame, editor body and footer. Returns the program's exit status.
int runEntryEditor(const EditorDefinition& editor);

}  // namespace Editors
