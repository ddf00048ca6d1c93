// CSV files as spreadsheets write them: a header row, comma or semicolon between cells, quotes.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ambry/records/MarcRecord.h"

namespace Records {

// How a CSV file is written, worked out from the file itself.
struct CsvShape {
  bool utf8 = false;     // UTF-8 (a byte-order mark, or bytes that are UTF-8 throughout); else Windows-1252
  char delimiter = ',';  // ';' when the header row has more semicolons than commas between its cells
};

CsvShape csvShape(std::string_view data);

// Every row in order, numbered as a spreadsheet numbers them (the header is row 1), its cells as
// the file holds them (quotes taken off, doubled quotes made single). Empty lines are passed over.
// A quoted cell that is never closed stops the reading and names its row.
FileFault readCsv(std::string_view data, const CsvShape& shape,
                  const std::function<void(long row, const std::vector<std::string>& cells)>& each);

}  // namespace Records
