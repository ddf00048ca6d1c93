// The CSV escaper: RFC 4180 quoting, and a guard that keeps spreadsheets from running a cell.
#include <cstring>
#include <string>

#include "ambry/escape/Escape.h"

namespace Ambry {

using Keystone::String;

String escapeCsvCell(const String& value) {
  std::string cell;
  const char first = value[0];
  const bool formula =
      first == '=' || first == '+' || first == '-' || first == '@' || first == '\t' || first == '\r';
  // A signed number such as -3 cannot run anything and stays a number for the spreadsheet.
  if (formula && !isPlainNumber(value)) cell += '\'';
  cell += value.c_str();
  if (cell.find_first_of(",\"\r\n") == std::string::npos) return String(cell.c_str());
  std::string quoted = "\"";
  for (const char c : cell) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return String(quoted.c_str());
}

}  // namespace Ambry
