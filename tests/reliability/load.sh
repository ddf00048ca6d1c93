#!/usr/bin/env bash
# Load with invariants: a small catalogue, concurrent staff and member clients for a bounded time
# through the web server, then SQL checks that no lending rule was broken and every page was whole.
# Usage: load.sh BUILD_DIR WORK_DIR   (LOAD_SECONDS, LOAD_WORKERS to change the run)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
work=$(realpath -m "$2")
mkdir -p "$work"
trap 'rel_site_stop' EXIT
rel_site_start "$1" "$work" || exit 1

# Members: 1-3 in good standing; 4 expires today and 8 expired a month ago (both may no longer
# borrow); 5 and 6 are blacklisted and released again during the run; 7 is barred throughout.
rel_sql "
INSERT INTO BOOK (id, author, title, isbn, dewey, price, _condition, addDate) VALUES
  (1,'A','Book one','111',500,10,1,NOW()), (2,'B','Book two','222',500,10,1,NOW()),
  (3,'C','Book three','333',500,10,1,NOW()), (4,'D','Book four','444',500,10,1,NOW()),
  (5,'E','Book five','555',500,10,1,NOW());
INSERT INTO MEMBER (id, password, surname, firstName, address, contactNo, addDate, accountExpiryDate, accountBalance) VALUES
  (1,'pw1','One','M','x','1',NOW(),CURDATE() + INTERVAL 365 DAY,0),
  (2,'pw2','Two','M','x','2',NOW(),CURDATE() + INTERVAL 365 DAY,0),
  (3,'pw3','Three','M','x','3',NOW(),CURDATE() + INTERVAL 365 DAY,0),
  (4,'pw4','Four','M','x','4',NOW(),CURDATE(),0),
  (5,'pw5','Five','M','x','5',NOW(),CURDATE() + INTERVAL 365 DAY,0),
  (6,'pw6','Six','M','x','6',NOW(),CURDATE() + INTERVAL 365 DAY,0),
  (7,'pw7','Seven','M','x','7',NOW(),CURDATE() + INTERVAL 365 DAY,0),
  (8,'pw8','Eight','M','x','8',NOW(),CURDATE() - INTERVAL 30 DAY,0);
INSERT INTO BLACKLIST (memberid, addDate, reason) VALUES (7, NOW(), 'barred throughout');
CREATE TABLE LOAN_AUDIT (checkoutid INT, memberid INT, bookid INT, barred INT, expired INT, openLoans INT);
CREATE TABLE HOLD_AUDIT (reservationid INT, memberid INT, bookid INT, barred INT, expired INT, holder INT);
CREATE TRIGGER loan_audit AFTER INSERT ON CHECKOUT FOR EACH ROW
  INSERT INTO LOAN_AUDIT VALUES (NEW.id, NEW.memberid, NEW.bookid,
    (SELECT COUNT(*) FROM BLACKLIST WHERE memberid = NEW.memberid),
    (SELECT COUNT(*) FROM MEMBER WHERE id = NEW.memberid AND accountExpiryDate <= CURDATE()),
    (SELECT COUNT(*) FROM CHECKOUT WHERE bookid = NEW.bookid AND inDate = 0));
CREATE TRIGGER hold_audit AFTER INSERT ON RESERVATION FOR EACH ROW
  INSERT INTO HOLD_AUDIT VALUES (NEW.id, NEW.memberid, NEW.bookid,
    (SELECT COUNT(*) FROM BLACKLIST WHERE memberid = NEW.memberid),
    (SELECT COUNT(*) FROM MEMBER WHERE id = NEW.memberid AND accountExpiryDate <= CURDATE()),
    (SELECT COUNT(*) FROM CHECKOUT WHERE bookid = NEW.bookid AND inDate = 0 AND memberid = NEW.memberid));
" || { echo "could not set up the catalogue" >&2; exit 1; }

seconds=${LOAD_SECONDS:-40}
echo "== $seconds s of load with ${LOAD_WORKERS:-8} clients =="
summary=$(LOAD_URL="$REL_URL" LOAD_COOKIE_FILE="$REL_COOKIE_FILE" LOAD_SECONDS=$seconds LOAD_WORKERS=${LOAD_WORKERS:-8} LOAD_BOOKS=5 \
  LOAD_MEMBERS="1 2 3 4 5 6 7 8" LOAD_TOGGLED="5 6" timeout $((seconds + 60)) node "$here/load_client.js")
echo "$summary"
field() { node -e 'const s = JSON.parse(process.argv[1]); console.log(eval("s." + process.argv[2]) ?? 0)' "$summary" "$1"; }

# every answer a complete page
rel_check "client finished" [ -n "$summary" ]
rel_check "every page answered 200 and ends with the footer ($(field incomplete) incomplete)" [ "$(field incomplete)" = 0 ]

# the run did what it is meant to exercise
count() { rel_sql "$1"; }
loans=$(count "SELECT COUNT(*) FROM LOAN_AUDIT")
returned=$(count "SELECT COUNT(*) FROM CHECKOUT WHERE inDate <> 0")
holds=$(count "SELECT COUNT(*) FROM HOLD_AUDIT")
echo "loans made: $loans, returned: $returned, reservations made: $holds, requests: $(field requests)"
rel_check "loans were made and returned during the run" [ "$loans" -gt 5 -a "$returned" -gt 0 ]
rel_check "reservations were made during the run" [ "$holds" -gt 0 ]
rel_check "members were blacklisted and released during the run" \
  [ "$(field 'actions.blacklist')" -gt 0 -a "$(field 'actions.unblacklist')" -gt 0 ]

# the rules held (LOAD_PLANT_SQL, when set, plants a violation first to prove the checks can fail)
[ -n "${LOAD_PLANT_SQL:-}" ] && rel_sql "$LOAD_PLANT_SQL"
none() {  # none "what" "SQL listing offending rows"
  local rows; rows=$(rel_sql "$2")
  if [ -z "$rows" ]; then rel_pass "$1"; else rel_fail "$1:"$'\n'"$rows"; fi
}
none "no book with two open loans" \
  "SELECT bookid, COUNT(*) FROM CHECKOUT WHERE inDate = 0 GROUP BY bookid HAVING COUNT(*) > 1"
none "no book lent while already out" "SELECT * FROM LOAN_AUDIT WHERE openLoans > 1"
none "no member with two blacklistings" \
  "SELECT memberid, COUNT(*) FROM BLACKLIST GROUP BY memberid HAVING COUNT(*) > 1"
none "no loan to a member blacklisted at that moment" "SELECT * FROM LOAN_AUDIT WHERE barred > 0"
none "no loan to the member barred throughout" "SELECT * FROM CHECKOUT WHERE memberid = 7"
none "no loan to an expired member" \
  "SELECT * FROM LOAN_AUDIT WHERE expired > 0 OR memberid IN (4, 8)"
none "no reservation by a blacklisted or expired member" \
  "SELECT * FROM HOLD_AUDIT WHERE barred > 0 OR expired > 0 OR memberid IN (4, 7, 8)"
none "no reservation made by the book's borrower" "SELECT * FROM HOLD_AUDIT WHERE holder > 0"
none "no reservation held by the book's current borrower" \
  "SELECT r.id, r.memberid, r.bookid FROM RESERVATION r JOIN CHECKOUT c
     ON c.bookid = r.bookid AND c.memberid = r.memberid AND c.inDate = 0"
none "the member barred throughout is still barred" \
  "SELECT 'missing' FROM DUAL WHERE (SELECT COUNT(*) FROM BLACKLIST WHERE memberid = 7) <> 1"

rel_check_no_crash
echo "== $REL_FAILURES failure(s) =="
[ "$REL_FAILURES" = 0 ]
