// AmbryDB's changes as the pages call them: each one attempt after another under the rule guard,
// so that its checks and its change stand or fall together and never interleave with a restore.
#include "ambry/db/AmbryDB.h"

namespace Ambry {

namespace {
const Keystone::String kNone;
}  // namespace

// An insert that does not happen answers the id the page showed, as its own refusals do.
#define AMBRY_GUARDED_INSERT(name, attempt, idKey)                                           \
  Keystone::String AmbryDB::name(const QueryMap& query) {                                    \
    return underGuard(#name, query.get(idKey, "1"), [&] { return attempt(query); });         \
  }
#define AMBRY_GUARDED_CHANGE(name, attempt)                \
  void AmbryDB::name(const QueryMap& query) {              \
    underGuard(#name, kNone, [&] {                         \
      attempt(query);                                      \
      return kNone;                                        \
    });                                                    \
  }

AMBRY_GUARDED_INSERT(insertBook, attemptInsertBook, "bookid")
AMBRY_GUARDED_CHANGE(updateBook, attemptUpdateBook)
AMBRY_GUARDED_CHANGE(deleteBook, attemptDeleteBook)
AMBRY_GUARDED_INSERT(insertMember, attemptInsertMember, "memberid")
AMBRY_GUARDED_CHANGE(updateMember, attemptUpdateMember)
AMBRY_GUARDED_CHANGE(deleteMember, attemptDeleteMember)
AMBRY_GUARDED_INSERT(insertCheckout, attemptInsertCheckout, "checkoutid")
AMBRY_GUARDED_CHANGE(updateCheckout, attemptUpdateCheckout)
// Returning and deleting a loan are guarded with the loans (closeCheckout).
AMBRY_GUARDED_INSERT(insertReservation, attemptInsertReservation, "reservationid")
AMBRY_GUARDED_CHANGE(updateReservation, attemptUpdateReservation)
AMBRY_GUARDED_CHANGE(deleteReservation, attemptDeleteReservation)
AMBRY_GUARDED_INSERT(insertBlacklisting, attemptInsertBlacklisting, "blacklistid")
AMBRY_GUARDED_CHANGE(updateBlacklisting, attemptUpdateBlacklisting)
AMBRY_GUARDED_CHANGE(deleteBlacklisting, attemptDeleteBlacklisting)

}  // namespace Ambry
