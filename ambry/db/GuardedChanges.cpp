// AmbryDB's changes as the pages call them: each one attempt after another under the rule guard,
// so that its checks and its change stand or fall together and never interleave with a restore.
#include <type_traits>

#include "ambry/db/AmbryDB.h"

namespace Ambry {

// An insert that does not happen answers the id the page showed, as its own refusals do; the other
// changes answer nothing.
template <typename Change>
Keystone::String AmbryDB::guarded(const char* operation, Change attempt, const QueryMap& query,
                                  const char* shownKey) {
  const Keystone::String shown = shownKey ? query.get(shownKey, "1") : Keystone::String();
  return underGuard(operation, shown, [&]() -> Keystone::String {
    if constexpr (std::is_void_v<decltype((this->*attempt)(query))>) {
      (this->*attempt)(query);
      return Keystone::String();
    } else {
      return (this->*attempt)(query);
    }
  });
}

Keystone::String AmbryDB::insertBook(const QueryMap& query) {
  return guarded("insertBook", &AmbryDB::attemptInsertBook, query, "bookid");
}
void AmbryDB::updateBook(const QueryMap& query) {
  guarded("updateBook", &AmbryDB::attemptUpdateBook, query);
}
void AmbryDB::deleteBook(const QueryMap& query) {
  guarded("deleteBook", &AmbryDB::attemptDeleteBook, query);
}
Keystone::String AmbryDB::insertMember(const QueryMap& query) {
  return guarded("insertMember", &AmbryDB::attemptInsertMember, query, "memberid");
}
void AmbryDB::updateMember(const QueryMap& query) {
  guarded("updateMember", &AmbryDB::attemptUpdateMember, query);
}
void AmbryDB::deleteMember(const QueryMap& query) {
  guarded("deleteMember", &AmbryDB::attemptDeleteMember, query);
}
Keystone::String AmbryDB::insertCheckout(const QueryMap& query) {
  return guarded("insertCheckout", &AmbryDB::attemptInsertCheckout, query, "checkoutid");
}
void AmbryDB::updateCheckout(const QueryMap& query) {
  guarded("updateCheckout", &AmbryDB::attemptUpdateCheckout, query);
}
void AmbryDB::returnCheckout(const QueryMap& query) {
  guarded("returnCheckout", &AmbryDB::attemptReturnCheckout, query);
}
void AmbryDB::deleteCheckout(const QueryMap& query) {
  guarded("deleteCheckout", &AmbryDB::attemptDeleteCheckout, query);
}
Keystone::String AmbryDB::insertReservation(const QueryMap& query) {
  return guarded("insertReservation", &AmbryDB::attemptInsertReservation, query, "reservationid");
}
void AmbryDB::updateReservation(const QueryMap& query) {
  guarded("updateReservation", &AmbryDB::attemptUpdateReservation, query);
}
void AmbryDB::deleteReservation(const QueryMap& query) {
  guarded("deleteReservation", &AmbryDB::attemptDeleteReservation, query);
}
Keystone::String AmbryDB::insertBlacklisting(const QueryMap& query) {
  return guarded("insertBlacklisting", &AmbryDB::attemptInsertBlacklisting, query, "blacklistid");
}
void AmbryDB::updateBlacklisting(const QueryMap& query) {
  guarded("updateBlacklisting", &AmbryDB::attemptUpdateBlacklisting, query);
}
void AmbryDB::deleteBlacklisting(const QueryMap& query) {
  guarded("deleteBlacklisting", &AmbryDB::attemptDeleteBlacklisting, query);
}

}  // namespace Ambry
