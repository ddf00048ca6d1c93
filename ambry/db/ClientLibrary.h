// The MariaDB client library, loaded when first used: pages without a database never load it.
#pragma once

#include <mysql.h>

namespace Ambry {

// The client calls the library makes; each has the type of the function of the same mysql_ name.
struct ClientLibrary {
  decltype(&::mysql_init) init;
  decltype(&::mysql_options) options;
  decltype(&::mysql_real_connect) real_connect;
  decltype(&::mysql_close) close;
  decltype(&::mysql_query) query;
  decltype(&::mysql_store_result) store_result;
  decltype(&::mysql_free_result) free_result;
  decltype(&::mysql_fetch_row) fetch_row;
  decltype(&::mysql_num_fields) num_fields;
  decltype(&::mysql_num_rows) num_rows;
  decltype(&::mysql_error) error;
  decltype(&::mysql_insert_id) insert_id;
  decltype(&::mysql_real_escape_string) real_escape_string;
  decltype(&::mysql_escape_string) escape_string;
  decltype(&::mysql_errno) error_number;
  decltype(&::mysql_affected_rows) affected_rows;
};

// Loads the client library on the first call; throws Keystone::Exception when it cannot be loaded.
const ClientLibrary& mariadb();

}  // namespace Ambry
