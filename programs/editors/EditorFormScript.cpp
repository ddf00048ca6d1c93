// The resetEntryForm script: the four-try lookup of the entry to show, and the form filled with it.
#include <cstdio>

#include "programs/editors/EditorParts.h"

using namespace Ambry;

namespace Editors {

namespace {

// The tries of the lookup, in order of preference.
enum LookupTry { TRY_REQUESTED, TRY_LAST_ID, TRY_BEFORE, TRY_AFTER, TRY_COUNT };

// What the lookup came to.
enum class Lookup {
  NotRun,           // the page shows what was posted
  Found,            // one of the tries found an entry: it is the current row
  ScannedIdMissed,  // the one try of a scanned id found nothing
  NothingFound      // every try found nothing
};

void announceMissingEntry(const EditorDefinition& editor, const QueryMap& query, int cmd) {
  if (cmd == CMD_PREVIOUS) popupMessage(getResource("msg_no_prev_entry", false), true);
  if (cmd == CMD_NEXT) popupMessage(getResource("msg_no_next_entry", false), true);
  if (cmd == CMD_JUMP) {
    Keystone::String text = getResource("err_id_not_exist", false);
    popupMessage(text.replace("%s", query.get(idParameter(editor), "")), true);
  }
}

// Shows, in this order of preference: the requested entry, the entry the previous page showed,
// the entry before that one, the entry after it. A scanned id gets one try only.
Lookup lookUpEntry(const EditorDefinition& editor, AmbryDB& db, QueryMap& query, int cmd) {
  const bool byOtherKey = isExtraCommand(editor, cmd, ExtraKind::ScanOtherKey);
  const bool singleTry = isExtraCommand(editor, cmd, ExtraKind::ScanOwnId);
  const EditorQuery select = byOtherKey ? editor.extra.scanSelect : editor.select;
  static const char* const retryDirections[TRY_COUNT] = {nullptr, "0", "-1", "1"};
  for (int attempt = TRY_REQUESTED; attempt < TRY_COUNT; ++attempt) {
    if (attempt == TRY_LAST_ID && query.contains("lastid")) query[idParameter(editor)] = query["lastid"];
    if (attempt != TRY_REQUESTED) query["direction"] = retryDirections[attempt];
    (db.*select)(query);
    if (db.getNextRow()) return Lookup::Found;
    if (attempt == TRY_REQUESTED) {
      announceMissingEntry(editor, query, cmd);
      if (singleTry) return Lookup::ScannedIdMissed;
    }
  }
  return Lookup::NothingFound;
}

// The value a field has in an entry that is not stored yet. A scan that found nothing keeps what
// was typed into the new entry before the code was scanned (the form sends it along).
Keystone::String emptyEntryValue(const EditorDefinition& editor, const QueryMap& query, int cmd,
                                 const Keystone::String& field) {
  const bool scanning = isExtraCommand(editor, cmd, ExtraKind::ScanOtherKey) ||
                        isExtraCommand(editor, cmd, ExtraKind::ScanOwnId);
  if (scanning && field == editor.extra.scanField) return query.get("id", "");
  if (scanning && field != "id" && query.contains(field)) return query[field];
  for (const char* today : editor.todayFields)
    if (field == today) return getScientificDate();
  for (const FieldValue& start : editor.startValues)
    if (field == start.field) return start.value;
  return field == "id" ? "1" : "";
}

void printFieldLine(const Keystone::String& field, const Keystone::String& value) {
  printf("      entryForm.%s.value = \"%s\"\n", field.c_str(), escapeJsString(value).c_str());
}

// Posted values are shown as they were typed, a letter that could not be sent as a byte included.
void printPostedFieldLine(const Keystone::String& field, const Keystone::String& value) {
  printf("      entryForm.%s.value = \"%s\"\n", field.c_str(), escapeJsStringAsTyped(value).c_str());
}

void printFieldLines(const EditorDefinition& editor, const AmbryDB& db, const QueryMap& query, int cmd,
                     bool showPosted, Lookup lookup) {
  const Keystone::Array<Keystone::String> fields = editorFields(editor);
  for (int i = 0; i < fields.size(); ++i) {
    if (showPosted)
      printPostedFieldLine(fields[i], query.get(fields[i], ""));
    else if (lookup == Lookup::Found)
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

void printEntryFormScript(const EditorDefinition& editor, AmbryDB& db, QueryMap query, int cmd,
                          FormShows shows) {
  beginJavaScriptTag("");
  fputs("   function resetEntryForm() {\n", stdout);
  const Lookup lookup = shows == FormShows::Lookup ? lookUpEntry(editor, db, query, cmd) : Lookup::NotRun;
  const bool found = lookup == Lookup::Found;
  const Keystone::String lastId = found ? Keystone::String(db.getField(0)) : Keystone::String("1");
  printf("      requestForm.lastid.value = \"%s\"\n", escapeJsString(lastId).c_str());
  printFieldLines(editor, db, query, cmd, shows == FormShows::Posted, lookup);
  // The posted values of an update are those of a stored entry, which may be saved again.
  const bool enable = shows == FormShows::Lookup ? lookup != Lookup::NothingFound
                                                 : shows == FormShows::Posted && cmd == CMD_UPDATE;
  printClosingStatement(editor, enable);
  endScriptTag();
}

}  // namespace Editors
