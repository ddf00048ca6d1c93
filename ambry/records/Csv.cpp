// Reading CSV: the shape of the file, then its rows cell by cell (RFC 4180 and what spreadsheets
// write besides: semicolons, a byte-order mark, line breaks of either kind).
#include "ambry/records/Csv.h"

#include "ambry/records/Letters.h"

namespace Records {

namespace {

const std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view withoutByteOrderMark(std::string_view data) {
  if (data.substr(0, kByteOrderMark.size()) == kByteOrderMark) data.remove_prefix(kByteOrderMark.size());
  return data;
}

}  // namespace

CsvShape csvShape(std::string_view data) {
  CsvShape shape;
  shape.utf8 = data.substr(0, kByteOrderMark.size()) == kByteOrderMark || isUtf8(data);
  data = withoutByteOrderMark(data);
  int commas = 0;
  int semicolons = 0;
  bool quoted = false;
  for (char c : data) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '\n' || c == '\r') break;
    commas += c == ',';
    semicolons += c == ';';
  }
  shape.delimiter = semicolons > commas ? ';' : ',';
  return shape;
}

FileFault readCsv(std::string_view data, const CsvShape& shape,
                  const std::function<void(long row, const std::vector<std::string>& cells)>& each) {
  data = withoutByteOrderMark(data);
  std::vector<std::string> cells;
  std::string cell;
  long row = 1;
  long quoteRow = 0;        // the row where an open quoted cell began
  bool quoted = false;      // inside a quoted cell
  bool cellBegun = false;   // the current cell has a character or an opening quote
  bool rowBegun = false;    // the current row has a cell or a delimiter
  auto endRow = [&] {
    if (rowBegun || cellBegun) {
      cells.push_back(std::move(cell));
      each(row, cells);
    }
    cells.clear();
    cell.clear();
    cellBegun = rowBegun = false;
    ++row;
  };
  for (size_t i = 0; i < data.size(); ++i) {
    const char c = data[i];
    if (quoted) {
      if (c == '"' && i + 1 < data.size() && data[i + 1] == '"') {
        cell += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        cell += c;
      }
      continue;
    }
    if (c == '"' && !cellBegun) {
      quoted = cellBegun = rowBegun = true;
      quoteRow = row;
    } else if (c == shape.delimiter) {
      cells.push_back(std::move(cell));
      cell.clear();
      cellBegun = false;
      rowBegun = true;
    } else if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ++i;
      endRow();
    } else {
      cell += c;
      cellBegun = rowBegun = true;
    }
  }
  if (quoted) return {FaultKind::kCsvQuote, quoteRow, 0, 0};
  endRow();
  return {};
}

}  // namespace Records
