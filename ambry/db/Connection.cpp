// AmbryDB's connection: construction, opening and closing, and the exception type.
#include "ambry/db/AmbryDB.h"
#include "ambry/db/ClientLibrary.h"
#include "ambry/resources/Resources.h"

namespace Ambry {

AmbryDBException::AmbryDBException() : Keystone::Exception() {}

AmbryDBException::AmbryDBException(const Keystone::String& message) : Keystone::Exception(message) {}

// One flag for the whole process: a successful open sets it, the first close clears it.
bool AmbryDB::connectionOpen = false;

AmbryDB::AmbryDB() try : mysql(nullptr), result(nullptr), row(nullptr) {
  mysql = mariadb().init(nullptr);
} catch (...) {
  throw AmbryDBException("AmbryDB constructor");
}

AmbryDB::~AmbryDB() {
  try {
    closeConnection();
  } catch (AmbryDBException&) {
  }
  // A handle that another object's close left open, or whose open failed, is still freed here.
  if (result) mariadb().free_result(result);
  if (mysql) mariadb().close(mysql);
}

void AmbryDB::openConnection() {
  if (!mysql) throw AmbryDBException("openConnection: mysql == 0");
  Keystone::String dbname = getProperty("mysql_dbname");
  Keystone::String password = getProperty("mysql_password");
  Keystone::String user = getProperty("mysql_user");
  Keystone::String host = getProperty("mysql_host");
  // The pages are Windows-1252, which the server calls latin1.
  mariadb().options(mysql, MYSQL_SET_CHARSET_NAME, "latin1");
  // Port 0 and no socket name: the client library's defaults (MYSQL_UNIX_PORT); 32 compresses.
  if (!mariadb().real_connect(mysql, host.c_str(), user.c_str(), password.c_str(), dbname.c_str(), 0, nullptr,
                              32)) {
    throw AmbryDBException("openConnection - " + getResource("err_connect_failed", false) + ": " +
                           getError());
  }
  connectionOpen = true;
}

void AmbryDB::closeConnection() {
  if (!connectionOpen) return;
  try {
    connectionOpen = false;
    if (result) {
      mariadb().free_result(result);
      result = nullptr;
      row = nullptr;
    }
    if (mysql) {
      mariadb().close(mysql);
      mysql = nullptr;  // a closed handle is never used or closed again
    }
  } catch (...) {
    throw AmbryDBException("closeConnection: " + getError());
  }
}

}  // namespace Ambry
