// Direct access to the private test database, to set up rows and check what the code changed.
#pragma once
#include <optional>
#include <string>
#include <vector>

typedef struct st_mysql MYSQL;

namespace TestSupport {

using Row = std::vector<std::optional<std::string>>;

class TestDB {
 public:
  TestDB();  // connects as the application account to the database "ambry"
  ~TestDB();
  TestDB(const TestDB&) = delete;
  TestDB& operator=(const TestDB&) = delete;

  // Empties the five data tables (DEWEY keeps its codes) and restarts their ids at 1; the rule
  // guard holds no restore's mark and no record of a replay; forgets the password-guess counts.
  void reset();
  void exec(const std::string& sql);  // throws std::runtime_error on a server error
  std::vector<Row> query(const std::string& sql);
  std::string scalar(const std::string& sql);  // first column of the first row, "" for none/NULL
  long long lastInsertId();

  // A valid book row added 2001-02-03 04:05:06, under the next id unless one is given; returns the id.
  std::string addBook(const std::string& author = "Author", const std::string& title = "Title",
                      const std::string& isbn = "0-14", long long id = 0);

 private:
  MYSQL* mConn;
};

// Local date offset by a number of days from today, as YYYY-MM-DD.
std::string dateFromToday(int days);

}  // namespace TestSupport
