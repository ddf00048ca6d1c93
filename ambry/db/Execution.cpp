// AmbryDB's statements and rows: running one statement and reading its result.
#include "ambry/db/AmbryDB.h"
#include "ambry/db/ClientLibrary.h"
#include "ambry/db/RuleGuard.h"
#include "ambry/resources/Resources.h"

namespace Ambry {

void AmbryDB::execute(const Keystone::String& statement) const {
  // Once the server has given a guarded change's transaction up, nothing more of it may run: the
  // statements after would no longer be inside the transaction.
  if (guard.running && guard.outcome == Attempt::kRetry) throw GuardConflict();
  unsigned int code = 0;
  try {
    if (!mysql) throw AmbryDBException("openConnection: mysql == 0");
    if (result) {
      mariadb().free_result(result);
      result = nullptr;
      row = nullptr;
    }
    keptError = "";
    // A rejected statement is not an exception: it leaves no result and getError() tells.
    if (mariadb().query(mysql, statement.c_str()) != 0) code = mariadb().error_number(mysql);
    result = mariadb().store_result(mysql);
    // The server may also fail a statement while it sends the rows, after the query itself was
    // answered: a cluster gives a transaction that lost a conflict up that way, in the middle of a
    // check. The rows that do not come are a failure, never an empty answer.
    if (code == 0 && !result) code = mariadb().error_number(mysql);
    lastQuery = statement;
  } catch (AmbryDBException&) {
    throw;
  } catch (...) {
    throw AmbryDBException("execute(" + statement + ") - " + getResource("err_inappropriate_query", false) +
                           ": " + getError());
  }
  // Inside a guarded change, a transaction the server gave up (a deadlock, or any failure after
  // which the server rolled it back, as a cluster does to a transaction that lost a conflict) is
  // run again from its start.
  if (guard.running && code != 0 && (isGuardConflict(code) || !transactionStillOpen())) {
    guard.outcome = Attempt::kRetry;
    throw GuardConflict();
  }
}

bool AmbryDB::getNextRow() {
  if (!result) return false;
  row = mariadb().fetch_row(result);
  return row != nullptr;
}

Keystone::Array<Keystone::String> AmbryDB::getRow() const {
  if (!result || !row) return Keystone::Array<Keystone::String>();
  // Each column straight into the array: an SQL NULL becomes the empty string.
  const int count = static_cast<int>(mariadb().num_fields(result));
  return Keystone::Array<Keystone::String>(static_cast<const char* const*>(row), count);
}

const char* AmbryDB::getField(int index) const {
  return row ? row[index] : nullptr;
}

unsigned long long AmbryDB::getNumRows() const {
  return result ? mariadb().num_rows(result) : 0;
}

unsigned int AmbryDB::getNumFields() const {
  return result ? mariadb().num_fields(result) : 0;
}

Keystone::String AmbryDB::getError() const {
  if (!mysql) return "getError: mysql == 0";
  Keystone::String error(mariadb().error(mysql));
  // The rollback of a rejected change must not hide why the server rejected it.
  if (error.length() == 0) return keptError;
  return error;
}

const Keystone::String& AmbryDB::getLastQuery() const {
  return lastQuery;
}

bool AmbryDB::hasResult() const {
  return result != nullptr;
}

MYSQL_RES* AmbryDB::getResult() const {
  return result;
}

}  // namespace Ambry
