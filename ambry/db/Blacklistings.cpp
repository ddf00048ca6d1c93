// AmbryDB's blacklist: a member has at most one blacklisting, which bars borrowing and reserving.
#include <cstdlib>

#include "ambry/db/AmbryDB.h"
#include "ambry/db/ClientLibrary.h"
#include "ambry/db/Required.h"
#include "ambry/framework/Messages.h"

namespace Ambry {

Keystone::String AmbryDB::attemptInsertBlacklisting(const QueryMap& query) {
  const Keystone::String op = "insertBlacklisting";
  const Keystone::String shown = query.get("blacklistid", "1");
  const char* refusal = "";
  if (anyEmpty(query, {"memberid", "reason"}))
    refusal = "err_info_not_supplied";
  else if (!memberExists(query))
    refusal = "err_member_not_exist";
  else if (blacklistingExists(query))
    refusal = "err_blacklisting_exists";  // a member has at most one blacklisting
  if (refuse(op, refusal)) return shown;
  execute("INSERT INTO BLACKLIST (memberid, addDate, reason) VALUES (" + number(query["memberid"]) +
          ", NOW(), " + quoted(query["reason"]) + ")");
  if (!finishChange(op, "msg_entry_added")) return shown;
  return newId();
}

bool AmbryDB::otherBlacklisting(const QueryMap& query) const {
  // The entry being changed does not count against its member; any other entry does.
  int entry = std::atoi(query["blacklistid"].c_str());
  execute("SELECT id FROM BLACKLIST WHERE memberid = " + number(query["memberid"]));
  if (!result) return false;
  while (MYSQL_ROW found = mariadb().fetch_row(result))
    if (std::atoi(found[0] ? found[0] : "") != entry) return true;
  return false;
}

void AmbryDB::attemptUpdateBlacklisting(const QueryMap& query) {
  const Keystone::String op = "updateBlacklisting";
  const char* refusal = "";
  if (anyEmpty(query, {"memberid", "reason", "blacklistid"}))
    refusal = "err_info_not_supplied";
  else if (!memberExists(query))
    refusal = "err_member_not_exist";
  else if (otherBlacklisting(query))
    refusal = "err_blacklisting_exists";
  else if (entryGone("BLACKLIST", query["blacklistid"]))
    refusal = "err_entry_gone";
  if (refuse(op, refusal)) return;
  // The date of blacklisting stays as it is.
  execute("UPDATE BLACKLIST SET memberid = " + number(query["memberid"]) + ", reason = " +
          quoted(query["reason"]) + " WHERE id = " + number(query["blacklistid"]));
  finishChange(op, "msg_entry_updated");
}

void AmbryDB::attemptDeleteBlacklisting(const QueryMap& query) {
  execute("DELETE FROM BLACKLIST WHERE id = " + number(query["blacklistid"]));
  finishChange("deleteBlacklisting", "msg_entry_deleted");
}

}  // namespace Ambry
