// AmbryDB's existence tests: a missing key, a rejected statement or any failure answers false.
#include <cstdlib>
#include <cstring>

#include "ambry/db/AmbryDB.h"
#include "ambry/db/ClientLibrary.h"

namespace Ambry {

namespace {

// Whether the statement's result has a first row; the row does not become the current row.
bool hasFirstRow(MYSQL_RES* result) {
  return result && mariadb().fetch_row(result) != nullptr;
}

}  // namespace

bool AmbryDB::bookExists(const QueryMap& query) const {
  try {
    execute("SELECT id FROM BOOK WHERE id = " + number(query["bookid"]));
    return hasFirstRow(result);
  } catch (...) {
    return false;
  }
}

bool AmbryDB::checkoutExists(const QueryMap& query) const {
  try {
    execute("SELECT id FROM CHECKOUT WHERE bookid = " + number(query["bookid"]) + " AND inDate = 0");
    return hasFirstRow(result);
  } catch (...) {
    return false;
  }
}

bool AmbryDB::reservationExists(const QueryMap& query) const {
  try {
    execute("SELECT id FROM RESERVATION WHERE memberid = " + number(query["memberid"]) +
            " AND bookid = " + number(query["bookid"]));
    return hasFirstRow(result);
  } catch (...) {
    return false;
  }
}

bool AmbryDB::blacklistingExists(const QueryMap& query) const {
  try {
    execute("SELECT id FROM BLACKLIST WHERE memberid = " + number(query["memberid"]));
    return hasFirstRow(result);
  } catch (...) {
    return false;
  }
}

bool AmbryDB::memberExists(const QueryMap& query) const {
  try {
    const Keystone::String& memberid = query["memberid"];
    bool withPassword = query.contains("password");
    Keystone::String statement = "SELECT id, password FROM MEMBER WHERE id = " + number(memberid);
    if (withPassword) statement += " AND password = " + quoted(query["password"]);
    if (!rowFound(statement)) return false;
    if (std::atoi(row[0] ? row[0] : "") != std::atoi(memberid.c_str())) return false;
    // The server may compare without regard to letter case; the password must match exactly.
    if (withPassword && std::strcmp(row[1] ? row[1] : "", query["password"].c_str()) != 0) return false;
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace Ambry
