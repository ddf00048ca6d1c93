// AmbryDB's searches: by example for staff, and the member-facing searches and catalogue search.
#include "ambry/db/AmbryDB.h"
#include "ambry/db/EscapeSql.h"
#include "ambry/resources/Resources.h"

namespace Ambry {

void AmbryDB::doSearchQuery(const QueryMap& query, const Keystone::String& table) const {
  // Every column takes part, in table order, as an exact comparison with a quoted value.
  Keystone::Array<Keystone::String> columns = getResourceArray(table, "tables");
  Keystone::String conditions;
  for (int i = 0; i < columns.size(); ++i) {
    Keystone::String value = query.get(columns[i], "");
    if (value.length() == 0) continue;
    if (conditions.length() > 0) conditions += " AND ";
    conditions += columns[i] + " = " + quoted(value);
  }
  Keystone::String statement = "SELECT * FROM " + table;
  if (conditions.length() > 0) statement += " WHERE " + conditions;
  execute(statement);
}

void AmbryDB::searchBook(const QueryMap& query) const {
  doSearchQuery(query, "book");
}
void AmbryDB::searchMember(const QueryMap& query) const {
  doSearchQuery(query, "member");
}
void AmbryDB::searchCheckout(const QueryMap& query) const {
  doSearchQuery(query, "checkout");
}
void AmbryDB::searchReservation(const QueryMap& query) const {
  doSearchQuery(query, "reservation");
}
void AmbryDB::searchBlacklisting(const QueryMap& query) const {
  doSearchQuery(query, "blacklist");
}

void AmbryDB::searchMember_Member(const QueryMap& query) const {
  execute(
      "SELECT id, surname, firstName, address, contactNo, addDate, accountExpiryDate, "
      "accountBalance FROM MEMBER WHERE id = " +
      number(query["memberid"]));
}

void AmbryDB::searchCheckout_Member(const QueryMap& query) const {
  execute("SELECT id, bookid, checkoutDate, returnDate, inDate FROM CHECKOUT WHERE memberid = " +
          number(query["memberid"]));
}

void AmbryDB::searchReservation_Member(const QueryMap& query) const {
  execute("SELECT id, bookid, addDate FROM RESERVATION WHERE memberid = " + number(query["memberid"]));
}

void AmbryDB::searchBook_Member(const QueryMap& query) const {
  // Substring matches; a typed % or _ is matched as itself, never as a wildcard.
  const char* const columns[] = {"author", "title", "isbn"};
  Keystone::String values[] = {query["author"], query["title"], query["isbn"]};
  Keystone::String conditions;
  for (int i = 0; i < 3; ++i) {
    if (values[i].length() == 0) continue;
    if (conditions.length() > 0) conditions += " AND ";
    conditions += Keystone::String(columns[i]) + " LIKE '%%" + escapeSqlLike(mysql, values[i]) + "%%'";
  }
  Keystone::String statement = "SELECT id, author, title, isbn FROM BOOK";
  if (conditions.length() > 0) statement += " WHERE " + conditions;
  execute(statement);
}

}  // namespace Ambry
