// Loads the MariaDB client library with dlopen and looks up the calls of ClientLibrary once.
#include "ambry/db/ClientLibrary.h"

#include <dlfcn.h>

#include "keystone/Exception.h"
#include "keystone/String.h"

namespace Ambry {

namespace {

const char* const kLibraryName = "libmariadb.so.3";

Keystone::String loadError(const char* what) {
  const char* reason = dlerror();
  return Keystone::String("The database client library could not be loaded: ") + what + ": " +
         (reason ? reason : "unknown error");
}

template <typename Function>
void bind(void* handle, const char* name, Function& slot) {
  void* symbol = dlsym(handle, name);
  if (!symbol) throw Keystone::Exception(loadError(name));
  slot = reinterpret_cast<Function>(symbol);
}

ClientLibrary load() {
  // Kept loaded for the life of the process: the client registers its own clean-up at exit.
  void* handle = dlopen(kLibraryName, RTLD_LAZY | RTLD_LOCAL);
  if (!handle) throw Keystone::Exception(loadError(kLibraryName));
  ClientLibrary calls;
  bind(handle, "mysql_init", calls.init);
  bind(handle, "mysql_options", calls.options);
  bind(handle, "mysql_real_connect", calls.real_connect);
  bind(handle, "mysql_close", calls.close);
  bind(handle, "mysql_query", calls.query);
  bind(handle, "mysql_store_result", calls.store_result);
  bind(handle, "mysql_free_result", calls.free_result);
  bind(handle, "mysql_fetch_row", calls.fetch_row);
  bind(handle, "mysql_num_fields", calls.num_fields);
  bind(handle, "mysql_num_rows", calls.num_rows);
  bind(handle, "mysql_error", calls.error);
  bind(handle, "mysql_insert_id", calls.insert_id);
  bind(handle, "mysql_real_escape_string", calls.real_escape_string);
  bind(handle, "mysql_escape_string", calls.escape_string);
  bind(handle, "mysql_errno", calls.error_number);
  bind(handle, "mysql_affected_rows", calls.affected_rows);
  return calls;
}

}  // namespace

const ClientLibrary& mariadb() {
  // A failed load throws and is tried again by the next call.
  static const ClientLibrary calls = load();
  return calls;
}

}  // namespace Ambry
