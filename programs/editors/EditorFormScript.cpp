// The resetEntryForm script: the four-try lookup of the entry to show, and the form filled with it.
#include <cstdio>

#include "programs/editors/EditorParts.h"

namespace Ambry {

namespace {

// Lookup states: 0 first try, 1 retry on "lastid", 2 the entry before it, 3 the entry after it,
// 4 nothing found; 5 to 8 found by try 1 to 4.
const int LOOKUP_NOTHING_FOUND = 4;
const int LOOKUP_FOUND = 5;

void announceMissingEntry(const EditorDefinition& editor, const QueryMap& query, int cmd) {
  if (cmd == CMD_PREVIOUS) popupMessage(getResource("msg_no_prev_entry", false), true);
  if (cmd == CMD_NEXT) popupMessage(getResource("msg_no_next_entry", false), true);
  if (cmd == CMD_JUMP) {
    Keystone::String text = getResource("err_id_not_exist", false);
    popupMessage(text.replace("%s", query.get(editor.idParameter, "")), true);
  }
}

// Shows, in this order of preference: the requested entry, the entry the previous page showed,
// the entry before that one, the entry after it. A scanned id gets one try only.
int lookUpEntry(const EditorDefinition& editor, AmbryDB& db, QueryMap& query, int cmd) {
  const bool byOtherKey = isExtraCommand(editor, cmd, ExtraKind::ScanOtherKey);
  const bool singleTry = isExtraCommand(editor, cmd, ExtraKind::ScanOwnId);
  const EditorQuery select = byOtherKey ? editor.extra.scanSelect : editor.select;
  static const char* const retryDirections[] = {nullptr, "0", "-1", "1"};
  int state = 0;
  while (state < LOOKUP_NOTHING_FOUND) {
    if (state == 1 && query.contains("lastid")) query[editor.idParameter] = query["lastid"];
    if (state > 0) query["direction"] = retryDirections[state];
    (db.*select)(query);
    state += db.getNextRow() ? LOOKUP_FOUND : 1;
    if (state == 1) {
      announceMissingEntry(editor, query, cmd);
      if (singleTry) break;
    }
  }
  return state;
}

// The value a field has in an entry that is not stored yet.
Keystone::String emptyEntryValue(const EditorDefinition& editor, const QueryMap& query, int cmd,
                                 const Keystone::String& field) {
  const bool scanning = isExtraCommand(editor, cmd, ExtraKind::ScanOtherKey) ||
                        isExtraCommand(editor, cmd, ExtraKind::ScanOwnId);
  if (scanning && field == editor.extra.scanField) return query.get("id", "");
  for (const char* today : editor.todayFields)
    if (field == today) return getScientificDate();
  return field == "id" ? "1" : "";
}

void printFieldLine(const Keystone::String& field, const Keystone::String& value) {
  printf("      entryForm.%s.value = \"%s\"\n", field.c_str(), escapeJsString(value).c_str());
}

void printFieldLines(const EditorDefinition& editor, const AmbryDB& db, const QueryMap& query, int cmd,
                     bool showPosted, int state) {
  const Keystone::Array<Keystone::String>& fields = editorFields(editor);
  for (int i = 0; i < fields.size(); ++i) {
    if (showPosted)
      printFieldLine(fields[i], query.get(fields[i], ""));
    else if (state >= LOOKUP_FOUND)
      printFieldLine(fields[i], Keystone::String(db.getField(i)));  // SQL NULL shows as empty
    else
      printFieldLine(fields[i], emptyEntryValue(editor, query, cmd, fields[i]));
  }
}

void printClosingStatement(const EditorDefinition& editor, bool enableControls) {
  fputs("   }\n   resetEntryForm()\n", stdout);
  for (const char* field : editor.readOnlyFields) printf("   entryForm.%s.readOnly = true\n", field);
  for (const char* field : editor.dateControlFields)
    printf("   updateEntryFormDateControls(entryForm.%s)\n", field);
  if (!enableControls) return;
  fputs("   enableEntryFormControls()\n", stdout);
  if (editor.enabledButton) printf("   entryForm.%s.readOnly = false\n", editor.enabledButton);
}

}  // namespace

void printEntryFormScript(const EditorDefinition& editor, AmbryDB& db, QueryMap query, int cmd, bool reload) {
  beginJavaScriptTag("");
  fputs("   function resetEntryForm() {\n", stdout);
  const int state = reload ? lookUpEntry(editor, db, query, cmd) : 0;
  const bool found = state >= LOOKUP_FOUND;
  const Keystone::String lastId = found ? Keystone::String(db.getField(0)) : Keystone::String("1");
  printf("      requestForm.lastid.value = \"%s\"\n", escapeJsString(lastId).c_str());
  const bool updated = cmd == CMD_UPDATE;
  const bool showPosted = !reload && !(updated && editor.emptyAfterUpdate);
  printFieldLines(editor, db, query, cmd, showPosted, state);
  const bool shownOrPosted = reload || (updated && !editor.emptyAfterUpdate);
  printClosingStatement(editor, shownOrPosted && state != LOOKUP_NOTHING_FOUND);
  endScriptTag();
}

}  // namespace Ambry
