// AmbryDB's staff sessions: one row per signed-in browser, shared by every web host, so that a
// session opened on one host counts on all of them and signing out ends it everywhere.
#include <cstdlib>
#include <string>

#include "ambry/db/AmbryDB.h"
#include "ambry/resources/Resources.h"

namespace Ambry {

namespace {

// A setting that counts time, at least 1.
long positiveSetting(const char* key) {
  const long value = std::atol(getProperty(key).c_str());
  return value < 1 ? 1 : value;
}

// The conditions of a session that is still open.
Keystone::String openSession() {
  return Keystone::String(" AND signedIn > NOW() - INTERVAL ") +
         std::to_string(positiveSetting("session_hours")).c_str() + " HOUR AND lastSeen > NOW() - INTERVAL " +
         std::to_string(positiveSetting("session_idle_minutes")).c_str() + " MINUTE";
}

}  // namespace

void AmbryDB::executeSessionStatement(const char* operation, const Keystone::String& statement) const {
  execute(statement);
  // The statement holds a token: only the server's reason is shown.
  if (getError().length() > 0) throw AmbryDBException(Keystone::String(operation) + ": " + getError());
}

// The table keeps a digest of each token, never the token: what it holds opens no session.
void AmbryDB::insertStaffSession(const Keystone::String& token) {
  executeSessionStatement("insertStaffSession",
                          "INSERT INTO STAFFSESSION (tokenHash, signedIn, lastSeen) VALUES (SHA2(" + quoted(token) +
                              ", 256), NOW(), NOW())");
  // Sessions that have ended are of no use to anyone: they go when a new one comes.
  execute("DELETE FROM STAFFSESSION WHERE NOT (TRUE" + openSession() + ")");
}

bool AmbryDB::staffSessionOpen(const Keystone::String& token) {
  if (token.length() == 0) return false;
  const Keystone::String key = "tokenHash = SHA2(" + quoted(token) + ", 256)";
  executeSessionStatement("staffSessionOpen", "SELECT 1 FROM STAFFSESSION WHERE " + key + openSession());
  if (!getNextRow()) return false;
  // Seen now: written at most once a minute, so that a page with many requests writes once.
  execute("UPDATE STAFFSESSION SET lastSeen = NOW() WHERE " + key + " AND lastSeen < NOW() - INTERVAL 1 MINUTE");
  return true;
}

Keystone::String AmbryDB::staffSessionDigest(const Keystone::String& token) {
  executeSessionStatement("staffSessionDigest", "SELECT SHA2(" + quoted(token) + ", 256)");
  return getNextRow() && row[0] ? Keystone::String(row[0]) : Keystone::String();
}

void AmbryDB::deleteStaffSession(const Keystone::String& token) {
  if (token.length() == 0) return;
  executeSessionStatement("deleteStaffSession",
                          "DELETE FROM STAFFSESSION WHERE tokenHash = SHA2(" + quoted(token) + ", 256)");
}

}  // namespace Ambry
