// AmbryDB's reservations: a member's claim on a book, placed, moved and withdrawn under the rules.
#include <cstdlib>

#include "ambry/db/AmbryDB.h"
#include "ambry/db/Required.h"
#include "ambry/framework/Messages.h"

namespace Ambry {

// The checks shared by placing and changing a reservation; the refusal's key, or "" to go on.
const char* AmbryDB::reserverRefusal(const QueryMap& query) const {
  if (anyEmpty(query, {"memberid", "bookid"})) return "err_info_not_supplied";
  if (!memberExists(query)) return "err_member_not_exist";
  if (blacklistingExists(query)) return "err_reservation_prohibited";
  if (accountExpired(query)) return "err_account_expired";
  if (!bookExists(query)) return "err_book_not_exist";
  return "";
}

bool AmbryDB::holdsBook(const QueryMap& query) const {
  // The open loan of the book answers 1 when this member holds it.
  return rowFound("SELECT memberid = " + number(query["memberid"]) +
                  " FROM CHECKOUT WHERE bookid = " + number(query["bookid"]) + " AND inDate = 0") &&
         std::atoi(row[0] ? row[0] : "") != 0;
}

Keystone::String AmbryDB::attemptInsertReservation(const QueryMap& query) {
  const Keystone::String op = "insertReservation";
  const Keystone::String shown = query.get("reservationid", "1");
  const char* refusal = reserverRefusal(query);
  if (!*refusal && reservationExists(query)) refusal = "err_reservation_exists";
  // A member cannot reserve a book they have borrowed; whether it is out is no condition.
  if (!*refusal && holdsBook(query)) refusal = "err_checkout_exists";
  if (refuse(op, refusal)) return shown;
  execute("INSERT INTO RESERVATION (memberid, bookid, addDate) VALUES (" + number(query["memberid"]) + ", " +
          number(query["bookid"]) + ", NOW())");
  if (!finishChange(op, "msg_entry_added")) return shown;
  return newId();
}

void AmbryDB::attemptUpdateReservation(const QueryMap& query) {
  const Keystone::String op = "updateReservation";
  const char* refusal = anyEmpty(query, {"reservationid"}) ? "err_info_not_supplied" : reserverRefusal(query);
  // Only a move to another book or to another member can make a duplicate.
  const Keystone::String reservationid = number(query.get("reservationid", ""));
  bool moved = false;
  if (!*refusal && rowFound("SELECT bookid FROM RESERVATION WHERE id = " + reservationid))
    moved = std::atoi(row[0] ? row[0] : "") != std::atoi(query["bookid"].c_str());
  if (!*refusal && !moved && rowFound("SELECT memberid FROM RESERVATION WHERE id = " + reservationid))
    moved = std::atoi(row[0] ? row[0] : "") != std::atoi(query["memberid"].c_str());
  if (!*refusal && moved && reservationExists(query)) refusal = "err_reservation_exists";
  if (!*refusal && holdsBook(query)) refusal = "err_checkout_exists";
  if (!*refusal && entryGone("RESERVATION", query["reservationid"])) refusal = "err_entry_gone";
  if (refuse(op, refusal)) return;
  // The date of reserving stays, so the reservation keeps its place in the queue for its book.
  execute("UPDATE RESERVATION SET memberid = " + number(query["memberid"]) +
          ", bookid = " + number(query["bookid"]) + " WHERE id = " + reservationid);
  finishChange(op, "msg_entry_updated");
}

void AmbryDB::attemptDeleteReservation(const QueryMap& query) {
  execute("DELETE FROM RESERVATION WHERE id = " + number(query["reservationid"]));
  finishChange("deleteReservation", "msg_entry_deleted");
}

}  // namespace Ambry
