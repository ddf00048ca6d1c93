// The result page of a search: one row per entry, in alternating colours, a click opens the entry.
#include <cstdio>

#include "programs/editors/EditorParts.h"

using namespace Ambry;

namespace Editors {

namespace {

void printRequestForm() {
  beginJavaScriptTag("src=\"" + getDataFilePath(getProperty("file_entryform")) + "\"");
  endScriptTag();
  fputs(
      "<form method=\"post\" name=\"requestForm\">\n"
      "<input type=\"hidden\" name=\"cmd\">\n"
      "<input type=\"hidden\" name=\"id\">\n"
      "<input type=\"hidden\" name=\"lastid\">\n"
      "</form>\n",
      stdout);
}

// The script that loads the entry: the jump command with its id.
Keystone::String openScript(const Keystone::String& id) {
  return "submitRequestForm(" + escapeHtml(id) + ", " + commandCode(CMD_JUMP).c_str() + ")";
}

// Rows alternate between the page background and the interchange colour, light up under the
// mouse, and a click loads the entry.
Keystone::String rowAttributes(int rowNumber, const Keystone::String& id) {
  const bool odd = rowNumber % 2 == 1;
  const Keystone::String ownColour = getProperty(odd ? "color_interchange" : "color_bodybackground");
  Keystone::String attributes = odd ? "bgcolor=\"" + ownColour + "\"" : Keystone::String();
  attributes += "onmouseover=\"bgColor='" + getProperty("color_highlight");
  attributes += "'\" onmouseout=\"bgColor='" + ownColour;
  attributes += "'\" onmousedown=\"" + openScript(id) + "\"";
  return attributes;
}

}  // namespace

void printResultPage(const EditorDefinition& editor, AmbryDB& db, const QueryMap& query) {
  (db.*editor.search)(query);
  printRequestForm();
  fputs(getResource("content_title_search_results", false).c_str(), stdout);
  beginResultTable(getResourceArray(captionsKey(editor), ""));
  for (int rowNumber = 0; db.getNextRow(); ++rowNumber) {
    const Keystone::Array<Keystone::String> row = db.getRow();
    const Keystone::String id = row.size() > 0 ? row[0] : Keystone::String();
    // The first cell's button opens the entry from the keyboard too.
    printEntryRow(row, rowAttributes(rowNumber, id), "style=\"cursor:hand\"", openScript(id));
  }
  endResultTable();
}

}  // namespace Editors
