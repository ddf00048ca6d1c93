// AmbryDB's single-entry selects and the navigation to the previous or next entry.
#include <cstdlib>

#include "ambry/db/AmbryDB.h"

namespace {

// The comparison and the tail of a navigation statement for a direction: -1, 1 or the entry itself.
struct Step {
  const char* comparison;
  Keystone::String tail;
};

Step stepFor(const Keystone::String& direction) {
  int d = std::atoi(direction.c_str());
  if (d == -1) return {"< ", " ORDER BY id DESC LIMIT 1"};
  if (d == 1) return {"> ", " ORDER BY id LIMIT 1"};
  if (d == 0) return {"= ", ""};
  return {"= ", " ORDER BY id LIMIT 1"};
}

}  // namespace

namespace Ambry {

void AmbryDB::selectBook(const QueryMap& query) const {
  Step step = stepFor(query["direction"]);
  execute("SELECT * FROM BOOK WHERE id " + Keystone::String(step.comparison) + number(query["bookid"]) +
          step.tail);
}

void AmbryDB::selectMember(const QueryMap& query) const {
  Step step = stepFor(query["direction"]);
  execute("SELECT * FROM MEMBER WHERE id " + Keystone::String(step.comparison) + number(query["memberid"]) +
          step.tail);
}

void AmbryDB::selectCheckout(const QueryMap& query) const {
  // Stepping skips returned loans unless the caller forces them in.
  Step step = stepFor(query["direction"]);
  Keystone::String open = query.contains("force") ? "" : " AND inDate = 0";
  execute("SELECT * FROM CHECKOUT WHERE id " + Keystone::String(step.comparison) +
          number(query["checkoutid"]) + open + step.tail);
}

void AmbryDB::selectReservation(const QueryMap& query) const {
  Step step = stepFor(query["direction"]);
  execute("SELECT * FROM RESERVATION WHERE id " + Keystone::String(step.comparison) +
          number(query["reservationid"]) + step.tail);
}

void AmbryDB::selectBlacklisting(const QueryMap& query) const {
  Step step = stepFor(query["direction"]);
  execute("SELECT * FROM BLACKLIST WHERE id " + Keystone::String(step.comparison) +
          number(query["blacklistid"]) + step.tail);
}

void AmbryDB::selectBook_ISBN(const QueryMap& query) const {
  execute("SELECT * FROM BOOK WHERE isbn = " + quoted(query["isbn"]) + " LIMIT 1");
}

void AmbryDB::selectBlacklisting_MemberID(const QueryMap& query) const {
  execute("SELECT * FROM BLACKLIST WHERE memberid = " + number(query["memberid"]) + " LIMIT 1");
}

}  // namespace Ambry
