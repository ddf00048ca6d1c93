// AmbryDB's member maintenance: valid expiry dates and balances, and no deleting of a member
// whom the blacklist, a loan or a reservation still names.
#include "ambry/db/AmbryDB.h"
#include "ambry/db/Required.h"
#include "ambry/framework/AmbryDate.h"
#include "ambry/framework/Messages.h"

namespace Ambry {

namespace {

// The required values, the expiry date and the balance; the refusal's key, or "" when all hold.
const char* memberRefusal(const AmbryDB::QueryMap& query) {
  if (anyEmpty(query, {"memberid", "password", "surname", "firstName", "address", "contactNo",
                       "accountExpiryDate", "accountBalance"}))
    return "err_info_not_supplied";
  // An account may expire today, never in the past.
  if (AmbryDate(query["accountExpiryDate"]) < AmbryDate(getScientificDate()))
    return "err_account_expiry_date_invalid";
  // A balance is a whole, non-negative number of units: digits only.
  const Keystone::String& balance = query["accountBalance"];
  for (int i = 0; i < balance.length(); ++i)
    if (balance[i] < '0' || balance[i] > '9') return "err_account_balance_invalid";
  return "";
}

}  // namespace

Keystone::String AmbryDB::attemptInsertMember(const QueryMap& query) {
  const Keystone::String op = "insertMember";
  const Keystone::String shown = query.get("memberid", "1");
  if (refuse(op, memberRefusal(query))) return shown;
  execute(
      "INSERT INTO MEMBER (password, surname, firstName, address, contactNo, addDate, "
      "accountExpiryDate, accountBalance) VALUES (" +
      quoted(query["password"]) + ", " + quoted(query["surname"]) + ", " + quoted(query["firstName"]) + ", " +
      quoted(query["address"]) + ", " + quoted(query["contactNo"]) + ", NOW(), " +
      quoted(query["accountExpiryDate"]) + ", " + number(query["accountBalance"]) + ")");
  if (!finishChange(op, "msg_entry_added")) return shown;
  return newId();
}

void AmbryDB::attemptUpdateMember(const QueryMap& query) {
  const Keystone::String op = "updateMember";
  const char* refusal = memberRefusal(query);
  if (!*refusal && entryGone("MEMBER", query["memberid"])) refusal = "err_entry_gone";
  if (refuse(op, refusal)) return;
  // The date of joining stays as it is.
  execute("UPDATE MEMBER SET password = " + quoted(query["password"]) + ", surname = " +
          quoted(query["surname"]) + ", firstName = " + quoted(query["firstName"]) + ", address = " +
          quoted(query["address"]) + ", contactNo = " + quoted(query["contactNo"]) +
          ", accountExpiryDate = " + quoted(query["accountExpiryDate"]) + ", accountBalance = " +
          number(query["accountBalance"]) + " WHERE id = " + number(query["memberid"]));
  finishChange(op, "msg_entry_updated");
}

void AmbryDB::attemptDeleteMember(const QueryMap& query) {
  const Keystone::String op = "deleteMember";
  const Keystone::String memberid = number(query["memberid"]);
  const char* refusal = "";
  // A blacklisted member stays in the register while the blacklisting exists.
  if (blacklistingExists(query))
    refusal = "err_member_blacklisted";
  else if (rowFound("SELECT id FROM CHECKOUT WHERE memberid = " + memberid))
    refusal = "err_member_has_checkout";
  else if (rowFound("SELECT id FROM RESERVATION WHERE memberid = " + memberid))
    refusal = "err_member_has_reservation";
  if (refuse(op, refusal)) return;
  execute("DELETE FROM MEMBER WHERE id = " + memberid);
  finishChange(op, "msg_entry_deleted");
}

}  // namespace Ambry
