// What a retry of the import costs: one attempt of the guarded insert of N books (the whole
// transaction a cluster runs again after a conflict), timed, then the books taken out again.
// Usage: insert_books N (the site's environment: MYSQL_UNIX_PORT and the AMBRY_ settings).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ambry/db/AmbryDB.h"

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 20000;
  std::vector<Ambry::BookEntry> books;
  for (int i = 0; i < count; ++i)
    books.push_back({"Bench, Retry", ("Retried book " + std::to_string(i)).c_str(), "9780306406157", "823", "150.00", "8"});
  Ambry::AmbryDB db;
  db.openConnection();
  const auto start = std::chrono::steady_clock::now();
  const Keystone::String added = db.insertBooks(books);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  db.execute("DELETE FROM BOOK WHERE author = 'Bench, Retry'");
  std::fflush(stdout);
  std::fprintf(stderr, "%s %.2f\n", added.c_str(), seconds);
  return added.length() > 0 ? 0 : 1;
}
