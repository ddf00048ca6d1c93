// AmbryDB's read-only report statements: overdue loans, expiring memberships, loans per month and
// reserved books, all measured against the database server's own date.
#include "ambry/db/AmbryDB.h"

namespace Ambry {

namespace {

// The twelve first days of the months up to and including the current one.
const char* const kLastTwelveMonths =
    "(SELECT CURDATE() - INTERVAL DAYOFMONTH(CURDATE()) - 1 DAY - INTERVAL k MONTH AS start FROM "
    "(SELECT 0 AS k UNION ALL SELECT 1 UNION ALL SELECT 2 UNION ALL SELECT 3 UNION ALL SELECT 4 "
    "UNION ALL SELECT 5 UNION ALL SELECT 6 UNION ALL SELECT 7 UNION ALL SELECT 8 UNION ALL SELECT 9 "
    "UNION ALL SELECT 10 UNION ALL SELECT 11) AS k) AS months";

}  // namespace

// A report that the server rejected must not look like an empty one.
void AmbryDB::executeReport(const Keystone::String& statement) const {
  execute(statement);
  if (!hasResult()) throw AmbryDBException("execute(" + statement + "): " + getError());
}

void AmbryDB::selectCheckout_Overdue() const {
  executeReport(
      "SELECT c.id, c.returnDate, DATEDIFF(CURDATE(), c.returnDate), b.title, b.author, c.memberid, "
      "CONCAT_WS(' ', m.firstName, m.surname), m.contactNo FROM CHECKOUT c "
      "LEFT JOIN BOOK b ON b.id = c.bookid LEFT JOIN MEMBER m ON m.id = c.memberid "
      "WHERE c.inDate = 0 AND c.returnDate < CURDATE() ORDER BY c.returnDate, c.id");
}

void AmbryDB::selectMember_Expiring() const {
  // Members whose account runs out within 30 days, and members already expired who still hold books.
  executeReport(
      "SELECT m.id, m.surname, m.firstName, m.contactNo, m.accountExpiryDate, "
      "DATEDIFF(m.accountExpiryDate, CURDATE()), COALESCE(o.loans, 0) FROM MEMBER m "
      "LEFT JOIN (SELECT memberid, COUNT(*) AS loans FROM CHECKOUT WHERE inDate = 0 GROUP BY memberid) o "
      "ON o.memberid = m.id WHERE m.accountExpiryDate <= CURDATE() + INTERVAL 30 DAY "
      "AND (m.accountExpiryDate >= CURDATE() OR o.loans > 0) ORDER BY m.accountExpiryDate, m.id");
}

void AmbryDB::selectCheckout_PerMonth() const {
  // One pass over the year's loans; a month without loans still gets its row with 0.
  executeReport(
      "SELECT DATE_FORMAT(months.start, '%Y-%m'), COALESCE(counts.loans, 0) FROM " +
      Keystone::String(kLastTwelveMonths) +
      " LEFT JOIN (SELECT DATE_FORMAT(checkoutDate, '%Y-%m') AS month, COUNT(*) AS loans FROM CHECKOUT "
      "WHERE checkoutDate >= CURDATE() - INTERVAL DAYOFMONTH(CURDATE()) - 1 DAY - INTERVAL 11 MONTH "
      "GROUP BY month) counts ON counts.month = DATE_FORMAT(months.start, '%Y-%m') "
      "ORDER BY months.start");
}

void AmbryDB::selectBook_Reserved() const {
  executeReport(
      "SELECT r.bookid, b.title, b.author, r.waiting, EXISTS (SELECT 1 FROM CHECKOUT c "
      "WHERE c.bookid = r.bookid AND c.inDate = 0) FROM (SELECT bookid, COUNT(*) AS waiting, "
      "MIN(addDate) AS since FROM RESERVATION GROUP BY bookid) r LEFT JOIN BOOK b ON b.id = r.bookid "
      "ORDER BY r.waiting DESC, r.since, r.bookid");
}

Keystone::String AmbryDB::selectToday() const {
  if (!rowFound("SELECT CURDATE()") || !row[0]) throw AmbryDBException("selectToday: " + getError());
  return Keystone::String(row[0]);
}

}  // namespace Ambry
