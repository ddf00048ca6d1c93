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

// Closes the table and says that the results have ended.
void endResultTable();

}  // namespace Ambry
