// AmbryDB's loans: lending under the rules, changing, returning and deleting loans.
#include <cstdlib>

#include "ambry/db/AmbryDB.h"
#include "ambry/db/Required.h"
#include "ambry/framework/AmbryDate.h"
#include "ambry/framework/Messages.h"

namespace Ambry {

namespace {

const char* const kReturnNotice =
    "returnCheckout: The following members have previously reserved this book, and can be "
    "notified of the check-in:<br>\nMember ID: ";
const char* const kDeleteNotice =
    "deleteCheckout: The following members have previously reserved this book, and can be "
    "notified of the checkout deletion:<br>\nMember ID: ";

bool beforeToday(const Keystone::String& date) {
  return AmbryDate(date) < AmbryDate(getScientificDate());
}

}  // namespace

// The borrower checks shared by lending and changing a loan; the refusal's key, or "" to go on.
const char* AmbryDB::borrowerRefusal(const QueryMap& query) const {
  if (anyEmpty(query, {"memberid", "bookid", "returnDate"})) return "err_info_not_supplied";
  if (!memberExists(query)) return "err_member_not_exist";
  // A blacklisted member may not borrow; this is settled before the account or book is examined.
  if (blacklistingExists(query)) return "err_checkout_prohibited";
  if (accountExpired(query)) return "err_account_expired";
  if (!bookExists(query)) return "err_book_not_exist";
  return "";
}

Keystone::String AmbryDB::attemptInsertCheckout(const QueryMap& query) {
  const Keystone::String op = "insertCheckout";
  const Keystone::String shown = query.get("checkoutid", "1");
  const char* refusal = borrowerRefusal(query);
  if (!*refusal && checkoutExists(query)) refusal = "err_checkout_invalid_checkout_exists";
  if (!*refusal && reservedByAnother(query)) refusal = "err_reserved_by_another_member";
  // A due date of today is accepted.
  if (!*refusal && beforeToday(query["returnDate"])) refusal = "err_return_date_invalid";
  if (refuse(op, refusal)) return shown;
  const Keystone::String memberid = number(query["memberid"]);
  const Keystone::String bookid = number(query["bookid"]);
  execute("INSERT INTO CHECKOUT (memberid, bookid, checkoutDate, returnDate, inDate) VALUES (" + memberid +
          ", " + bookid + ", NOW(), " + quoted(query["returnDate"]) + ", '0000-00-00')");
  if (changeFailed(op)) return shown;
  Keystone::String id = newId();
  // The borrower's own reservation of the book is used up by the loan.
  if (checkoutExists(query)) {
    execute("DELETE FROM RESERVATION WHERE memberid = " + memberid + " AND bookid = " + bookid);
    if (changeFailed(op)) return id;
  }
  popupMessage("msg_entry_added", false);
  return id;
}

void AmbryDB::attemptUpdateCheckout(const QueryMap& query) {
  const Keystone::String op = "updateCheckout";
  const char* refusal = anyEmpty(query, {"checkoutid"}) ? "err_info_not_supplied" : borrowerRefusal(query);
  const Keystone::String checkoutid = number(query.get("checkoutid", ""));
  // Moving a loan to another book runs the availability checks again; a new due date does not.
  bool bookChanged = false;
  if (!*refusal && rowFound("SELECT bookid FROM CHECKOUT WHERE id = " + checkoutid))
    bookChanged = std::atoi(row[0] ? row[0] : "") != std::atoi(query["bookid"].c_str());
  // Handing an open loan to another member is lending the book to them: a reserved book goes only
  // to its first reserver. A returned loan's record can always be corrected, and only an open
  // loan uses the reservation up.
  bool memberChanged = false;
  bool loanOpen = false;
  if (!*refusal && rowFound("SELECT memberid, inDate = 0 FROM CHECKOUT WHERE id = " + checkoutid)) {
    memberChanged = std::atoi(row[0] ? row[0] : "") != std::atoi(query["memberid"].c_str());
    loanOpen = std::atoi(row[1] ? row[1] : "") != 0;
  }
  if (!*refusal && bookChanged && checkoutExists(query)) refusal = "err_checkout_invalid_checkout_exists";
  if (!*refusal && (bookChanged || (memberChanged && loanOpen)) && reservedByAnother(query))
    refusal = "err_reserved_by_another_member";
  if (!*refusal && beforeToday(query["returnDate"])) refusal = "err_return_date_invalid";
  if (!*refusal && entryGone("CHECKOUT", query["checkoutid"])) refusal = "err_entry_gone";
  if (refuse(op, refusal)) return;
  const Keystone::String memberid = number(query["memberid"]);
  const Keystone::String bookid = number(query["bookid"]);
  // The checkout date and the return stay as they are, so a returned loan stays returned.
  execute("UPDATE CHECKOUT SET memberid = " + memberid + ", bookid = " + bookid + ", returnDate = " +
          quoted(query["returnDate"]) + " WHERE id = " + checkoutid);
  if (changeFailed(op)) return;
  if (loanOpen) execute("DELETE FROM RESERVATION WHERE memberid = " + memberid + " AND bookid = " + bookid);
  finishChange(op, "msg_entry_updated");
}

void AmbryDB::closeCheckout(const QueryMap& query, const Keystone::String& op, const char* notice,
                            const Keystone::String& change, const char* message) {
  // Only an open loan can be returned or deleted; anything else passes without a word.
  const Keystone::String checkoutid = number(query["checkoutid"]);
  if (!rowFound("SELECT bookid FROM CHECKOUT WHERE id = " + checkoutid + " AND inDate = 0")) return;
  // The members who reserved the book keep their reservations; staff may tell them.
  Keystone::String reservers;
  execute("SELECT memberid FROM RESERVATION WHERE bookid = " + number(row[0] ? row[0] : ""));
  while (getNextRow()) {
    if (reservers.length() > 0) reservers += ", ";
    reservers += Keystone::String(row[0]);
  }
  execute(change + checkoutid);
  if (changeFailed(op)) return;
  if (reservers.length() > 0) printMessage(notice + reservers, true);
  popupMessage(message, false);
}

void AmbryDB::attemptReturnCheckout(const QueryMap& query) {
  closeCheckout(query, "returnCheckout", kReturnNotice, "UPDATE CHECKOUT SET inDate = NOW() WHERE id = ",
                "msg_book_returned");
}

void AmbryDB::attemptDeleteCheckout(const QueryMap& query) {
  closeCheckout(query, "deleteCheckout", kDeleteNotice, "DELETE FROM CHECKOUT WHERE id = ", "msg_entry_deleted");
}

}  // namespace Ambry
