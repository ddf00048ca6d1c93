// Result tables: a caption row, one row per result, and the end-of-results line.
#pragma once
#include "keystone/Keystone"

namespace Ambry {

// Opens the table with one equal-width column per caption and the caption row.
void beginResultTable(const Keystone::Array<Keystone::String>& captions);

// One result row; cells and attribute texts are ready HTML, an empty cell shows as &nbsp;.
void printResultRow(const Keystone::Array<Keystone::String>& cells, const Keystone::String& rowAttributes,
                    const Keystone::String& cellAttributes);

// One result row of stored values: each cell is text, escaped for HTML here, then written as
// printResultRow writes it; the attribute texts are ready HTML.
void printTextRow(Keystone::Array<Keystone::String> cells, const Keystone::String& rowAttributes,
                  const Keystone::String& cellAttributes);

// One result row of stored values that opens an entry: as printTextRow, with the first cell's text
// on a button that runs openScript (ready for a double-quoted attribute), so that the row opens from
// the keyboard (Tab, then Enter) as well as by the mouse handlers of the row attributes.
void printEntryRow(Keystone::Array<Keystone::String> cells, const Keystone::String& rowAttributes,
                   const Keystone::String& cellAttributes, const Keystone::String& openScript);

// Closes the table and says that the results have ended.
void endResultTable();

}  // namespace Ambry
