# The benchmark's generated library: 100,000 books, 10,000 members, loans, reservations, blacklist.
# Source it, then: bench_data_load VAR_DIR (skipped when the database already holds exactly this data).
# Every 20th title holds the word "Marmot" (5,000 books); 20 titles hold "Quagga".
# Member n has the password "pw<n>". For the reports: memberships run out from 30 days ago to a year
# ahead, loans were made over the last year, and about 7,000 open loans are overdue.

BENCH_BOOKS=100000
BENCH_MEMBERS=10000

bench_data_sql() {
  cat <<EOF_SQL
SET SESSION sql_mode = '';
SET SESSION max_recursive_iterations = 1000000;
DELETE FROM BLACKLIST; DELETE FROM RESERVATION; DELETE FROM CHECKOUT;
DELETE FROM MEMBER; DELETE FROM BOOK;
INSERT INTO BOOK (id, author, title, isbn, dewey, price, _condition, addDate)
WITH RECURSIVE seq (n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM seq WHERE n < $BENCH_BOOKS)
SELECT n,
  CONCAT(ELT(1 + n % 8, 'Abel', 'Brink', 'Coetzee', 'Dlamini', 'Essop', 'Fourie', 'Gordimer', 'Hope'),
         ', ', ELT(1 + (n DIV 8) % 6, 'Anna', 'Ben', 'Carel', 'Dora', 'Elsa', 'Frik')),
  CONCAT(CASE WHEN n % 20 = 0 THEN 'Marmot ' WHEN n % 5000 = 7 THEN 'Quagga ' ELSE '' END,
         ELT(1 + n % 9, 'Gardens', 'Rivers', 'Winter', 'Letters', 'Harbour', 'Voices', 'Songs',
             'Lights', 'Bridges'),
         ' of the ', ELT(1 + (n DIV 9) % 7, 'North', 'Karoo', 'Coast', 'Valley', 'City', 'Veld',
                         'Islands'), ' ', n),
  CONCAT('978', LPAD(n, 10, '0')), ELT(1 + n % 4, 823, 813, 968, 500),
  50 + n % 200, 1 + n % 10, NOW() - INTERVAL (n % 3000) DAY
FROM seq;
INSERT INTO MEMBER (id, password, surname, firstName, address, contactNo, addDate,
                    accountExpiryDate, accountBalance)
WITH RECURSIVE seq (n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM seq WHERE n < $BENCH_MEMBERS)
SELECT n, CONCAT('pw', n), CONCAT('Surname', n), ELT(1 + n % 5, 'Anna', 'Ben', 'Carel', 'Dora', 'Elsa'),
  CONCAT(n, ' Long Street, Cape Town'), CONCAT('021 555 ', LPAD(n, 5, '0')),
  NOW() - INTERVAL (n % 1000) DAY, CURDATE() + INTERVAL (n % 400 - 30) DAY, 0
FROM seq;
INSERT INTO CHECKOUT (memberid, bookid, checkoutDate, returnDate, inDate)
WITH RECURSIVE seq (n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM seq WHERE n < 3 * $BENCH_MEMBERS)
SELECT 1 + n % $BENCH_MEMBERS, 3 * n, NOW() - INTERVAL (n % 365) DAY,
  CURDATE() + INTERVAL (14 - n % 30) DAY,
  IF(n % 2 = 0, '0000-00-00 00:00:00', NOW() - INTERVAL (n % 10) DAY)
FROM seq;
INSERT INTO RESERVATION (memberid, bookid, addDate)
WITH RECURSIVE seq (n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM seq WHERE n < $BENCH_MEMBERS)
SELECT 1 + (7 * n) % $BENCH_MEMBERS, 3 * n + 1, NOW() - INTERVAL (n % 20) DAY
FROM seq;
INSERT INTO BLACKLIST (memberid, addDate, reason)
WITH RECURSIVE seq (n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM seq WHERE n < 100)
SELECT 100 * n, NOW() - INTERVAL n DAY, 'Books returned late'
FROM seq;
EOF_SQL
}

bench_data_load() {
  local var=$1 db counts
  db=$(site_db_name)
  counts=$(site_root_client "$var" -N "$db" -e "SELECT (SELECT COUNT(*) FROM BOOK), (SELECT COUNT(*) FROM MEMBER),
    (SELECT COUNT(*) FROM BOOK WHERE title LIKE '%Marmot%'),
    (SELECT COUNT(DISTINCT DATE_FORMAT(checkoutDate, '%Y-%m')) >= 12 FROM CHECKOUT)")
  if [ "$counts" = "$(printf '%s\t%s\t%s\t1' $BENCH_BOOKS $BENCH_MEMBERS $((BENCH_BOOKS / 20)))" ]; then
    echo "bench: the generated catalogue is in place"
    return 0
  fi
  echo "bench: generating $BENCH_BOOKS books and $BENCH_MEMBERS members with loans and reservations"
  bench_data_sql | site_root_client "$var" "$db"
}
