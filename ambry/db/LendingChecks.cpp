// AmbryDB's lending checks shared by loans and reservations: expired accounts and reserved books.
#include <cstdlib>

#include "ambry/db/AmbryDB.h"
#include "ambry/framework/AmbryDate.h"

namespace Ambry {

bool AmbryDB::accountExpired(const QueryMap& query) const {
  // An account that expires today can no longer borrow or reserve; no member row, no refusal.
  if (!rowFound("SELECT accountExpiryDate FROM MEMBER WHERE id = " + number(query["memberid"]))) return false;
  return AmbryDate(Keystone::String(row[0])) <= AmbryDate(getScientificDate());
}

bool AmbryDB::reservedByAnother(const QueryMap& query) const {
  // Only the oldest reservation of the book decides who may borrow it next.
  if (!rowFound("SELECT memberid FROM RESERVATION WHERE bookid = " + number(query["bookid"]) +
                " ORDER BY id"))
    return false;
  return std::atoi(row[0] ? row[0] : "") != std::atoi(query["memberid"].c_str());
}

}  // namespace Ambry
