// The entry page: the form, the command carried out on the table, and the reload decision.
#include <cstdio>
#include <cstring>

#include "programs/editors/EditorParts.h"

using namespace Ambry;

namespace Editors {

namespace {

// Copy cataloguing needs a shared catalogue; without one the form offers no "Fetch details".
bool offersFetch(const EditorDefinition& editor) {
  const Keystone::String target = getProperty("catalogue_target");
  return hasFlag(editor, FETCHES_DETAILS) && std::strspn(target.c_str(), " ") < static_cast<size_t>(target.length());
}

void printPageGlobals(const EditorDefinition& editor, bool searchMode) {
  beginJavaScriptTag("");
  printf("   entityName = \"%s\"\n", editor.name);
  printf("   search = %s\n", searchMode ? "true" : "false");
  if (offersFetch(editor)) fputs("   catalogueFetch = true\n", stdout);
  endScriptTag();
}

// Search mode starts from a blank form and carries nothing out.
void printBlankForm(const EditorDefinition& editor) {
  const Keystone::Array<Keystone::String> fields = editorFields(editor);
  beginJavaScriptTag("");
  for (int i = 0; i < fields.size(); ++i) printf("   entryForm.%s.value = \"\";\n", fields[i].c_str());
  endScriptTag();
}

// The first entry: entry 1, or failing that its nearest neighbour.
void startAtFirstEntry(const EditorDefinition& editor, QueryMap& query) {
  query["lastid"] = "1";
  query[idParameter(editor)] = query["lastid"];
}

void showClosedEntriesIfForced(const EditorDefinition& editor, QueryMap& query) {
  if (hasFlag(editor, SHOWS_CLOSED_ENTRIES)) query["force"] = "1";
}

// The command table; afterwards the id parameter names the entry to show and "direction" the step.
void carryOutCommand(const EditorDefinition& editor, AmbryDB& db, QueryMap& query, int cmd) {
  if (isExtraCommand(editor, cmd, ExtraKind::CheckIn)) {
    (db.*editor.extra.checkIn)(query);
    return;
  }
  if (isExtraCommand(editor, cmd, ExtraKind::ScanOwnId)) return;  // the scanned id is the one shown
  switch (cmd) {
    case CMD_INSERT:
      query[previousIdParameter(editor)] = query.get(idParameter(editor), "");
      query[idParameter(editor)] = (db.*editor.insert)(query);
      break;
    case CMD_UPDATE:
      (db.*editor.update)(query);
      break;
    case CMD_DELETE:
      (db.*editor.remove)(query);
      showClosedEntriesIfForced(editor, query);
      break;
    case CMD_JUMP:
      showClosedEntriesIfForced(editor, query);
      break;
    case CMD_PREVIOUS:
      query["direction"] = "-1";
      break;
    case CMD_NEXT:
      query["direction"] = "1";
      break;
    default:
      startAtFirstEntry(editor, query);
  }
}

// An update names its entry by the id field, which staff may also type into. The form sends the
// id of the entry the page showed as "lastid"; an update of any other entry is refused, so that
// no entry is ever overwritten with another's details.
bool updatesAnotherEntry(const QueryMap& query) {
  return query.contains("lastid") && query.get("lastid", "") != query.get("id", "");
}

// What the form shows: what was posted after an update, and after an add that did not go through,
// so that nothing typed is lost (a table that starts afresh after a save does so only when the
// save went through); otherwise the entry is looked up again, unless the id stayed as it was.
FormShows formAfterCommand(const EditorDefinition& editor, const AmbryDB& db, const QueryMap& query,
                           int cmd) {
  if (cmd == CMD_UPDATE)
    return db.lastChangeStood() && hasFlag(editor, EMPTY_AFTER_UPDATE) ? FormShows::Empty : FormShows::Posted;
  if (cmd == CMD_INSERT && !db.lastChangeStood()) return FormShows::Posted;
  if (query.get(previousIdParameter(editor), "") == query.get(idParameter(editor), ""))
    return FormShows::Posted;
  return FormShows::Lookup;
}

// A letter that the pages' character set lacks arrives as a character reference ("&#281;"), which
// would be stored as text in its place: such an add or save is refused, naming the field, and the
// form shows back what was typed. True when it was refused.
bool refusedForCharacterReference(const EditorDefinition& editor, const QueryMap& query) {
  const Keystone::Array<Keystone::String> fields = editorFields(editor);
  for (int i = 0; i < fields.size(); ++i) {
    if (!holdsCharacterReference(query.get(fields[i], ""))) continue;
    const Keystone::Array<Keystone::String> captions = getResourceArray(captionsKey(editor), "");
    Keystone::String text = getResource("err_character_not_stored", false);
    popupMessage(text.replace("%s", i < captions.size() ? captions[i] : fields[i]), true);
    return true;
  }
  return false;
}

}  // namespace

void printEntryPage(const EditorDefinition& editor, AmbryDB& db, QueryMap& query, int cmd, bool searchMode) {
  query["direction"] = "0";
  printPageGlobals(editor, searchMode);
  printEntryForm(editor.name);
  if (searchMode) {
    printBlankForm(editor);
    return;
  }
  if (cmd == CMD_UPDATE && updatesAnotherEntry(query)) {
    // Nothing is changed, and the page shows the entry it showed before, as it is stored.
    popupMessage("err_update_other_entry", false);
    query[idParameter(editor)] = query["lastid"];
    cmd = CMD_JUMP;
  }
  if ((cmd == CMD_INSERT || cmd == CMD_UPDATE) && refusedForCharacterReference(editor, query)) {
    printEntryFormScript(editor, db, query, cmd, FormShows::Posted);
    return;
  }
  carryOutCommand(editor, db, query, cmd);
  printEntryFormScript(editor, db, query, cmd, formAfterCommand(editor, db, query, cmd));
}

}  // namespace Editors
