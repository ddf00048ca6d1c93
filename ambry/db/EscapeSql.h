// The escaping module's SQL part, beside the database whose client library escapes for the open
// connection: values spliced into statements (the rest of the module is ambry/escape/Escape.h).
#pragma once
#include "keystone/String.h"

typedef struct st_mysql MYSQL;

namespace Ambry {

// Body of a single-quoted SQL text literal, escaped by the client library for the open connection.
Keystone::String escapeSqlText(MYSQL* connection, const Keystone::String& value);

// Body of a single-quoted SQL LIKE pattern that matches the value as it stands: the wildcards
// % and _ and the escape character \ are escaped for LIKE, then the text as escapeSqlText does.
Keystone::String escapeSqlLike(MYSQL* connection, const Keystone::String& value);

// A quoted SQL text literal: "'" + escapeSqlText(value) + "'".
Keystone::String sqlText(MYSQL* connection, const Keystone::String& value);

// A value for a place where a statement writes a number bare: the value itself when it is a plain
// decimal number (isPlainNumber), otherwise a quoted text literal, so that it can be compared or
// rejected but never change the statement.
Keystone::String sqlNumber(MYSQL* connection, const Keystone::String& value);

}  // namespace Ambry
