// The entry editor's frame and body: decoding the command, the database session and its failures.
#include "programs/editors/EntryEditor.h"

#include <cstdlib>

#include "programs/editors/EditorParts.h"

using namespace Ambry;

namespace Editors {

ExtraCommand noExtraCommand() {
  return {ExtraKind::None, -1, nullptr, nullptr, nullptr, nullptr};
}

ExtraCommand checkInCommand(int code, EditorChange operation) {
  return {ExtraKind::CheckIn, code, nullptr, nullptr, nullptr, operation};
}

ExtraCommand scanOtherKeyCommand(int code, const char* key, EditorQuery select, const char* field) {
  return {ExtraKind::ScanOtherKey, code, key, field, select, nullptr};
}

ExtraCommand scanOwnIdCommand(int code, const char* key, const char* field) {
  return {ExtraKind::ScanOwnId, code, key, field, nullptr, nullptr};
}

int editorCommand(const EditorDefinition& editor, int code) {
  if (code >= CMD_FIRST && code <= CMD_SEARCH) return code;
  if (editor.extra.kind != ExtraKind::None && code == editor.extra.code) return code;
  return CMD_FIRST;
}

bool isExtraCommand(const EditorDefinition& editor, int cmd, ExtraKind kind) {
  return kind != ExtraKind::None && editor.extra.kind == kind && cmd == editor.extra.code;
}

Keystone::Array<Keystone::String> editorFields(const EditorDefinition& editor) {
  return getResourceArray(editor.name, "tables");
}

namespace {

bool isScan(const EditorDefinition& editor, int cmd) {
  return isExtraCommand(editor, cmd, ExtraKind::ScanOtherKey) ||
         isExtraCommand(editor, cmd, ExtraKind::ScanOwnId);
}

// Insert, update, delete and check-in change the database; every other command only shows.
void printEditorBody(const EditorDefinition& editor) {
  QueryMap query = getQueryMap();
  const QueryMap urlQuery = getEnvQueryMap();
  const bool searchMode = urlQuery.get("search", "") == "1";
  int cmd = editorCommand(editor, atoi(query.get("cmd", "").c_str()));
  // A change posted from another site's page is not carried out: the posted entry is shown as
  // it stands in the database instead.
  if (changesState(cmd) && !isSameOriginRequest()) {
    popupMessage("err_cross_site", false);
    cmd = CMD_JUMP;
  }
  const Keystone::String id = query["id"];
  query[isScan(editor, cmd) ? Keystone::String(editor.extra.scanKey) : idParameter(editor)] = id;
  runGuarded("err_query_unsuccessful", [&] {
    AmbryDB db;
    db.openConnection();
    if (cmd == CMD_SEARCH)
      printResultPage(editor, db, query);
    else
      printEntryPage(editor, db, query, cmd, searchMode);
    db.closeConnection();
  });
}

}  // namespace

int runEntryEditor(const EditorDefinition& editor) {
  beginPage(titleKey(editor), AREA_ADMIN);
  printEditorBody(editor);
  endPage();
  return 0;
}

}  // namespace Editors
