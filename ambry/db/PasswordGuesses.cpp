// AmbryDB's guess limit: failed password checks counted per client address in PASSWORDGUESS, a
// table every web host shares, so that guessing through several hosts at once gains nothing.
#include <cstdlib>
#include <cstring>
#include <string>

#include "ambry/db/AmbryDB.h"
#include "ambry/db/ClientLibrary.h"
#include "ambry/db/RuleGuard.h"
#include "ambry/resources/Resources.h"

namespace Ambry {

namespace {

const char* const kWindow = "INTERVAL 600 SECOND";

// The client's address as the web server gives it; behind a trusted proxy, the client's own.
std::string clientAddress() {
  const char* remote = std::getenv("REMOTE_ADDR");
  std::string address = remote && *remote ? remote : "-";
  return address.substr(0, 64);
}

long guessLimit() {
  const long value = std::atol(getProperty("throttle_limit").c_str());
  return value < 0 ? 0 : value;
}

// The address's failures within the current window and whether the window is still open; the
// row is locked until the transaction ends.
unsigned int readCount(MYSQL* mysql, const std::string& address, long& failures, bool& inWindow) {
  const std::string select = std::string("SELECT failures, windowStart > NOW() - ") + kWindow +
                             " AND windowStart <= NOW() FROM PASSWORDGUESS WHERE address = " + address +
                             " FOR UPDATE";
  if (mariadb().query(mysql, select.c_str()) != 0) return mariadb().error_number(mysql);
  MYSQL_RES* answer = mariadb().store_result(mysql);
  if (!answer) return mariadb().error_number(mysql) ? mariadb().error_number(mysql) : 1;
  MYSQL_ROW first = mariadb().fetch_row(answer);
  inWindow = first && first[1] && std::strcmp(first[1], "1") == 0;
  failures = inWindow && first[0] ? std::atol(first[0]) : 0;
  mariadb().free_result(answer);
  return first ? 0 : 1;
}

}  // namespace

PasswordVerdict AmbryDB::checkPassword(const std::function<bool()>& isRight) {
  if (!mysql) throw AmbryDBException("openConnection: mysql == 0");
  const std::string address = quoted(clientAddress().c_str()).c_str();
  const long limit = guessLimit();
  for (int round = 1;; ++round) {
    long failures = 0;
    bool inWindow = false;
    unsigned int code = quietly(mysql, "START TRANSACTION");
    if (code == 0)
      code = quietly(mysql, "INSERT IGNORE INTO PASSWORDGUESS (address, failures, windowStart, checks) VALUES (" +
                            address + ", 0, NOW(), 0)");
    if (code == 0) code = readCount(mysql, address, failures, inWindow);
    PasswordVerdict verdict = PasswordVerdict::kHeldOff;
    if (code == 0 && failures < limit) {
      // Every check writes the row, so that two checks of one address on different nodes of a
      // cluster conflict and one of them is made again with the other's count.
      try {
        verdict = isRight() ? PasswordVerdict::kRight : PasswordVerdict::kWrong;
      } catch (...) {
        quietly(mysql, "ROLLBACK");  // an unanswered check counts nothing
        throw;
      }
      const long after = failures + (verdict == PasswordVerdict::kWrong ? 1 : 0);
      code = quietly(mysql, "UPDATE PASSWORDGUESS SET checks = checks + 1, failures = " + std::to_string(after) +
                            (inWindow ? "" : ", windowStart = NOW()") + " WHERE address = " + address);
    }
    if (code == 0) code = quietly(mysql, verdict == PasswordVerdict::kHeldOff ? "ROLLBACK" : "COMMIT");
    if (code == 0) {
      // Counts whose window has closed are of no use: they go as the others are written.
      if (verdict != PasswordVerdict::kHeldOff)
        quietly(mysql, std::string("DELETE FROM PASSWORDGUESS WHERE windowStart <= NOW() - ") + kWindow);
      return verdict;
    }
    const Keystone::String reason = getError();
    quietly(mysql, "ROLLBACK");
    // A check that the server gives up (a conflicting check of the same address on another node)
    // is made again, as often as a guarded change would be.
    if (!isGuardConflict(code) || round >= RetryPolicy::kTries)
      throw AmbryDBException("checkPassword: " + (reason.length() > 0 ? reason : Keystone::String("no count")));
    RetryPolicy::pause(round);
  }
}

}  // namespace Ambry
