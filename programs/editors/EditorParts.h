// The pieces of the entry editor pattern, shared between its pages.
#pragma once
#include "programs/editors/EntryEditor.h"

namespace Editors {

// The command carried out: 0 to 7, the table's extra command, or 0 for every other code.
int editorCommand(const EditorDefinition& editor, int code);

// True when cmd is the table's extra command of that kind.
bool isExtraCommand(const EditorDefinition& editor, int cmd, ExtraKind kind);

// The table's column names, in column order.
Keystone::Array<Keystone::String> editorFields(const EditorDefinition& editor);

// Command 7: the search results, each row a link to its entry.
void printResultPage(const EditorDefinition& editor, AmbryDB& db, const QueryMap& query);

// Every other command: the entry form, the command carried out, and the script that fills the form.
void printEntryPage(const EditorDefinition& editor, AmbryDB& db, QueryMap& query, int cmd, bool searchMode);

// What the form shows once the command is carried out.
enum class FormShows {
  Lookup,  // the entry the command leads to, looked up in the table
  Posted,  // the values that were posted, as typed
  Empty    // the empty entry
};

// The resetEntryForm script: finds the entry to show when it is looked up, and fills the form.
void printEntryFormScript(const EditorDefinition& editor, AmbryDB& db, QueryMap query, int cmd,
                          FormShows shows);

}  // namespace Editors
