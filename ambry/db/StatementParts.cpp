// AmbryDB's helpers for building statements and reading their outcome inside the operations.
#include <string>

#include "ambry/db/AmbryDB.h"
#include "ambry/db/ClientLibrary.h"
#include "ambry/db/EscapeSql.h"
#include "ambry/framework/Messages.h"

namespace Ambry {

Keystone::String AmbryDB::quoted(const Keystone::String& value) const {
  return sqlText(mysql, value);
}

Keystone::String AmbryDB::number(const Keystone::String& value) const {
  return sqlNumber(mysql, value);
}

bool AmbryDB::rowFound(const Keystone::String& statement) const {
  execute(statement);
  if (!result) return false;
  row = mariadb().fetch_row(result);
  return row != nullptr;
}

bool AmbryDB::changeFailed(const Keystone::String& operation) const {
  if (getError().length() == 0) return false;
  if (guard.running) guard.outcome = Attempt::kRejected;  // nothing of the change may stay
  popupError(operation, "err_query_unsuccessful");
  return true;
}

bool AmbryDB::entryGone(const char* table, const Keystone::String& id) const {
  return !rowFound(Keystone::String("SELECT id FROM ") + table + " WHERE id = " + number(id));
}

bool AmbryDB::refuse(const Keystone::String& operation, const char* refusal) const {
  if (!*refusal) return false;
  if (guard.running && guard.outcome == Attempt::kCommitted) guard.outcome = Attempt::kRefused;
  popupError(operation, refusal);
  return true;
}

bool AmbryDB::finishChange(const Keystone::String& operation, const char* message) const {
  if (changeFailed(operation)) return false;
  popupMessage(message, false);
  return true;
}

Keystone::String AmbryDB::newId() const {
  return Keystone::String(std::to_string(mariadb().insert_id(mysql)).c_str());
}

}  // namespace Ambry
