// The rule lock over the server's named lock "ambry_rules", shared by every request.
#include "ambry/db/RuleLock.h"

#include <cstring>

#include "ambry/db/ClientLibrary.h"

namespace Ambry {

namespace {
const char* const kAcquire = "SELECT GET_LOCK('ambry_rules', 30)";
const char* const kRelease = "SELECT RELEASE_LOCK('ambry_rules')";
}  // namespace

RuleLock::RuleLock(const AmbryDB& db) : mDb(db), mAcquired(false) {
  if (!mDb.mysql) throw AmbryDBException("openConnection: mysql == 0");
  mAcquired = run(kAcquire);
}

RuleLock::~RuleLock() {
  if (!mAcquired || !mDb.mysql) return;
  // A change the server rejected stays visible through getError() after the release.
  const char* error = mariadb().error(mDb.mysql);
  if (error && *error) mDb.keptError = Keystone::String(error);
  run(kRelease);
}

bool RuleLock::run(const char* statement) const {
  if (mariadb().query(mDb.mysql, statement) != 0) return false;
  MYSQL_RES* answer = mariadb().store_result(mDb.mysql);
  if (!answer) return false;
  MYSQL_ROW first = mariadb().fetch_row(answer);
  bool granted = first && first[0] && std::strcmp(first[0], "1") == 0;
  mariadb().free_result(answer);
  return granted;
}

}  // namespace Ambry
