// The SQL escapers: values spliced into statements, escaped by the client library.
#include "ambry/db/EscapeSql.h"

#include <cstring>
#include <vector>

#include "ambry/db/ClientLibrary.h"
#include "ambry/escape/Escape.h"

namespace Ambry {

using Keystone::String;

String escapeSqlText(MYSQL* connection, const String& value) {
  unsigned long length = std::strlen(value.c_str());
  std::vector<char> escaped(2 * length + 1);
  // The open connection knows its character set and whether backslashes escape.
  if (connection)
    mariadb().real_escape_string(connection, escaped.data(), value.c_str(), length);
  else
    mariadb().escape_string(escaped.data(), value.c_str(), length);
  return String(escaped.data());
}

String escapeSqlLike(MYSQL* connection, const String& value) {
  String pattern;
  for (const char* c = value.c_str(); *c; ++c) {
    if (*c == '%' || *c == '_' || *c == '\\') pattern += '\\';
    pattern += *c;
  }
  return escapeSqlText(connection, pattern);
}

String sqlText(MYSQL* connection, const String& value) {
  return "'" + escapeSqlText(connection, value) + "'";
}

String sqlNumber(MYSQL* connection, const String& value) {
  return isPlainNumber(value) ? value : sqlText(connection, value);
}

}  // namespace Ambry
