// Test database access over the MariaDB client library, through the private server's socket.
#include "tests/support/TestDB.h"

#include <mysql.h>

#include <ctime>
#include <stdexcept>

namespace TestSupport {

TestDB::TestDB() : mConn(mysql_init(nullptr)) {
  if (!mysql_real_connect(mConn, "localhost", "ambry", "marmots", "ambry", 0, AMBRY_TESTDB_SOCKET, 0))
    throw std::runtime_error(std::string("TestDB: ") + mysql_error(mConn));
  mysql_set_character_set(mConn, "latin1");
}

TestDB::~TestDB() {
  mysql_close(mConn);
}

void TestDB::reset() {
  for (const char* t : {"BOOK", "MEMBER", "CHECKOUT", "RESERVATION", "BLACKLIST", "PASSWORDGUESS"})
    exec(std::string("TRUNCATE TABLE ") + t);
  exec("UPDATE RULEGUARD SET restoreUntil = NULL, restoreBy = NULL, replayPoint = NULL WHERE id = 1");
}

void TestDB::exec(const std::string& sql) {
  if (mysql_real_query(mConn, sql.data(), sql.size()))
    throw std::runtime_error("TestDB: " + sql + ": " + mysql_error(mConn));
  if (MYSQL_RES* r = mysql_store_result(mConn)) mysql_free_result(r);
}

std::vector<Row> TestDB::query(const std::string& sql) {
  if (mysql_real_query(mConn, sql.data(), sql.size()))
    throw std::runtime_error("TestDB: " + sql + ": " + mysql_error(mConn));
  std::vector<Row> rows;
  MYSQL_RES* r = mysql_store_result(mConn);
  if (!r) return rows;
  unsigned n = mysql_num_fields(r);
  while (MYSQL_ROW row = mysql_fetch_row(r)) {
    Row out;
    for (unsigned i = 0; i < n; ++i)
      out.push_back(row[i] ? std::optional<std::string>(row[i]) : std::nullopt);
    rows.push_back(out);
  }
  mysql_free_result(r);
  return rows;
}

std::string TestDB::scalar(const std::string& sql) {
  auto rows = query(sql);
  if (rows.empty() || rows[0].empty() || !rows[0][0]) return "";
  return *rows[0][0];
}

long long TestDB::lastInsertId() {
  return static_cast<long long>(mysql_insert_id(mConn));
}

std::string TestDB::addBook(const std::string& author, const std::string& title, const std::string& isbn,
                            long long id) {
  exec("INSERT INTO BOOK (id, author, title, isbn, dewey, price, _condition, addDate) VALUES (" +
       (id ? std::to_string(id) : std::string("NULL")) + ", '" + author + "', '" + title + "', '" + isbn +
       "', 500, 10, 5, '2001-02-03 04:05:06')");
  return std::to_string(id ? id : lastInsertId());
}

std::string dateFromToday(int days) {
  time_t now = time(nullptr);
  struct tm t;
  localtime_r(&now, &t);
  t.tm_mday += days;
  t.tm_hour = 12;  // clear of daylight-saving edges
  mktime(&t);
  char buf[16];
  strftime(buf, sizeof buf, "%Y-%m-%d", &t);
  return buf;
}

}  // namespace TestSupport
