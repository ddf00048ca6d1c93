// One library change run the way a page runs it, against the node MYSQL_UNIX_PORT names:
//   cluster_client OPERATION [key=value ...]     e.g. insertCheckout memberid=3 bookid=7 returnDate=...
//   cluster_client backup | restore NAME          (run in a folder whose ../../db_backup/ exists)
// Prints the pop-ups and, for an insert, "id=<answer>"; with GO_AT=<epoch ms> it connects first and
// starts the change at that moment, so that many processes start together.
#include <sys/time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>

#include "ambry/db/AmbryDB.h"
#include "ambry/resources/Resources.h"

namespace {

using Ambry::AmbryDB;

void waitUntil(const char* goAt) {
  if (!goAt) return;
  long long at = std::atoll(goAt);
  timeval now;
  gettimeofday(&now, nullptr);
  long long ms = now.tv_sec * 1000LL + now.tv_usec / 1000;
  if (at > ms) usleep(static_cast<useconds_t>((at - ms) * 1000));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: cluster_client OPERATION [key=value ...]\n");
    return 2;
  }
  const std::string op = argv[1];
  Ambry::setLanguage("eng");
  if (op == "backup" || op == "restore") {
    waitUntil(std::getenv("GO_AT"));
    bool ok = op == "backup" ? AmbryDB::backup() : AmbryDB::restore(argc > 2 ? argv[2] : "");
    std::printf("%s\n", ok ? "ok" : "failed");
    return ok ? 0 : 1;
  }
  AmbryDB::QueryMap query;
  for (int i = 2; i < argc; ++i) {
    const char* eq = std::strchr(argv[i], '=');
    if (!eq) return 2;
    query[Keystone::String(std::string(argv[i], static_cast<size_t>(eq - argv[i])).c_str())] = Keystone::String(eq + 1);
  }
  using Insert = Keystone::String (AmbryDB::*)(const AmbryDB::QueryMap&);
  const std::map<std::string, Insert> inserts = {{"insertCheckout", &AmbryDB::insertCheckout},
                                                 {"insertReservation", &AmbryDB::insertReservation},
                                                 {"insertBook", &AmbryDB::insertBook}};
  using Change = void (AmbryDB::*)(const AmbryDB::QueryMap&);
  const std::map<std::string, Change> changes = {{"returnCheckout", &AmbryDB::returnCheckout},
                                                 {"deleteReservation", &AmbryDB::deleteReservation}};
  try {
    AmbryDB db;
    db.openConnection();
    waitUntil(std::getenv("GO_AT"));
    if (inserts.count(op)) {
      Keystone::String id = (db.*inserts.at(op))(query);
      std::printf("\nid=%s\n", id.c_str());
    } else if (changes.count(op)) {
      (db.*changes.at(op))(query);
    } else {
      return 2;
    }
  } catch (Keystone::Exception& e) {
    std::printf("\nexception: %s\n", e.getMessage().c_str());
    return 1;
  }
  return 0;
}
