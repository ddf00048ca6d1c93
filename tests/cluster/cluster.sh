#!/usr/bin/env bash
# The library on a three-node Galera cluster, the changes spread over the nodes: simultaneous loans
# and reservations of one book stay exact, a restore point taken on one node replays on another,
# and a node stopped or killed under a load of loans loses nothing and rejoins with the same rows.
#   cluster.sh CLUSTER_CLIENT
set -euo pipefail
client=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/cluster.sh"

dir=$(mktemp -d "${TMPDIR:-/tmp}/ambry-cluster.XXXXXX")
finish() {
  cluster_stop "$dir"
  if [ -n "${CLUSTER_KEEP:-}" ]; then echo "kept $dir" >&2; else rm -rf "$dir"; fi
}
trap finish EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
# A statement on node N that first waits until the node has applied everything committed before.
sql() { cluster_sql "$dir" "$1" -N ambry -e "SET SESSION wsrep_sync_wait = 1; $2"; }
on_node() {
  local n=$1
  shift
  MYSQL_UNIX_PORT=$(cluster_socket "$dir" "$n") "$client" "$@"
}
# Rows written straight into node 1 reach the others a moment later; the changes under test go
# through the rule guard, which needs no such wait.
synced() { sql 2 "SELECT 1" >/dev/null && sql 3 "SELECT 1" >/dev/null; }
# Waits for the drivers started in the background (not for the database nodes, also children).
drivers=()
wait_drivers() {
  local pid
  for pid in "${drivers[@]}"; do wait "$pid" || true; done
  drivers=()
}
due=$(date -d '+7 days' +%F)
expiry=$(date -d '+1 year' +%F)
reset_library() { sql 1 "DELETE FROM CHECKOUT; DELETE FROM RESERVATION; DELETE FROM BLACKLIST; DELETE FROM MEMBER; DELETE FROM BOOK"; }
add_members() {
  local i values=""
  for i in $(seq 1 "$1"); do values+="${values:+,}('pw', 'Smit', 'Anna', 'Street', '012', NOW(), '$expiry', 0)"; done
  sql 1 "INSERT INTO MEMBER (password, surname, firstName, address, contactNo, addDate, accountExpiryDate,
    accountBalance) VALUES $values"
  synced
}
add_books() {
  local i values=""
  for i in $(seq 1 "$1"); do values+="${values:+,}('Author', 'Title $i', '0-14', 823, 1, 1, NOW())"; done
  sql 1 "INSERT INTO BOOK (author, title, isbn, dewey, price, _condition, addDate) VALUES $values"
  synced
}
checksums() { sql "$1" "CHECKSUM TABLE BOOK, MEMBER, CHECKOUT, RESERVATION, BLACKLIST"; }
# The number of outputs in which an insert reported a new id.
reported() { grep -h '^id=' "$@" 2>/dev/null | grep -vcx 'id=0' || true; }

started=$SECONDS
cluster_start "$dir"
echo "cluster of three nodes up in $((SECONDS - started)) s"
# The rounds below mean something only when every change meets every node.
cluster_whole "$dir" || { echo "FAIL: the nodes do not count three members" >&2; exit 1; }

echo "== every node has the single server's accounts, rights and options =="
for n in 1 2 3; do
  [ "$(sql $n "SELECT @@secure_file_priv")" = "$(cluster_node "$dir" $n)/mysql-files/" ] \
    || fail "node $n reads and writes files outside its own empty folder"
  sql $n "SHOW GRANTS FOR 'ambry'@'localhost'" | grep -q 'ON \*\.\*.*PROCESS' && fail "node $n: the site account has PROCESS"
  [ "$(sql $n "SELECT plugin FROM mysql.user WHERE user = 'root' AND host = 'localhost'")" = unix_socket ] \
    || fail "node $n: the database's root signs in otherwise than by socket"
done

echo "== 16 simultaneous loans of one free book, and 16 reservations of one book by one member =="
for round in $(seq 1 10); do
  reset_library
  add_members 16
  add_books 1
  mapfile -t members < <(sql 1 "SELECT id FROM MEMBER ORDER BY id")
  book=$(sql 1 "SELECT id FROM BOOK")
  go=$(($(date +%s%3N) + 1500))
  for i in $(seq 0 15); do
    GO_AT=$go on_node $((i % 3 + 1)) insertCheckout memberid="${members[$i]}" bookid="$book" \
      returnDate="$due" checkoutid=0 >"$dir/loan.$i" 2>&1 &
    drivers+=($!)
  done
  wait_drivers
  for n in 1 2 3; do
    loans=$(sql $n "SELECT COUNT(*) FROM CHECKOUT WHERE bookid = $book AND inDate = 0")
    [ "$loans" = 1 ] || fail "round $round: node $n holds $loans open loans of one book"
  done
  [ "$(reported "$dir"/loan.*)" = 1 ] || fail "round $round: $(reported "$dir"/loan.*) loans reported made"

  go=$(($(date +%s%3N) + 1500))
  for i in $(seq 0 15); do
    GO_AT=$go on_node $((i % 3 + 1)) insertReservation memberid="${members[0]}" bookid="$book" \
      reservationid=0 >"$dir/hold.$i" 2>&1 &
    drivers+=($!)
  done
  wait_drivers
  holds=$(sql $((round % 3 + 1)) "SELECT COUNT(*) FROM RESERVATION")
  [ "$holds" = 0 ] || [ "$holds" = 1 ] || fail "round $round: $holds reservations of one book by one member"
  # the member who borrowed the book may not reserve it; any other member gets exactly one
  lender=$(sql 1 "SELECT memberid FROM CHECKOUT WHERE bookid = $book")
  if [ "$lender" != "${members[0]}" ] && [ "$holds" != 1 ]; then fail "round $round: no reservation made"; fi
  [ "$(reported "$dir"/hold.*)" = "$holds" ] || fail "round $round: reservations reported made differ from made"
done

echo "== a restore point taken on node 1 replays on node 2 =="
mkdir -p "$dir/site/cgi-bin" "$dir/db_backup"
before=$(checksums 1)
(cd "$dir/site/cgi-bin" && on_node 1 backup >/dev/null) || fail "backup on node 1"
point=$(cd "$dir/db_backup" && ls -- *.bak | head -1)
grep -qi ruleguard "$dir/db_backup/$point" && fail "the restore point holds the rule guard"
grep -q '^LOCK TABLES' "$dir/db_backup/$point" || fail "the restore point replays without LOCK TABLES"
add_books 3
sql 3 "DELETE FROM RESERVATION"
(cd "$dir/site/cgi-bin" && on_node 2 restore "$point" >/dev/null) || fail "restore on node 2"
for n in 1 2 3; do
  [ "$(checksums $n)" = "$before" ] || fail "node $n differs from the restore point"
  [ "$(sql $n "SELECT COUNT(*) FROM RULEGUARD WHERE id = 1 AND restoreUntil IS NULL")" = 1 ] \
    || fail "node $n: the rule guard did not survive the restore clear"
done

# Node 3 leaves while loans are made on every node: stopped (SIGTERM), then killed (SIGKILL, as a
# crash or the out-of-memory killer would). Nodes 1 and 2 go on, nothing reported made is lost,
# and node 3 rejoins with the same rows.
for signal in TERM KILL; do
  echo "== node 3 ended by SIG$signal during a load of loans =="
  reset_library
  add_members 1
  add_books 45
  member=$(sql 1 "SELECT id FROM MEMBER")
  mapfile -t books < <(sql 1 "SELECT id FROM BOOK ORDER BY id")
  rm -f "$dir"/load.*
  for n in 1 2 3; do
    (
      for i in $(seq 0 14); do
        on_node "$n" insertCheckout memberid="$member" bookid="${books[$((n - 1 + 3 * i))]}" returnDate="$due" \
          checkoutid=0 >"$dir/load.$n.$i" 2>&1 || true
        sleep 0.2
      done
    ) &
    drivers+=($!)
  done
  sleep 1.5
  if [ $signal = TERM ]; then cluster_node_stop "$dir" 3; else cluster_node_kill "$dir" 3; fi
  wait_drivers
  for n in 1 2; do
    [ "$(reported "$dir"/load.$n.*)" = 15 ] || fail "SIG$signal: node $n made $(reported "$dir"/load.$n.*) of 15 loans"
  done
  for n in 1 2; do
    made=$(sql $n "SELECT COUNT(*) FROM CHECKOUT")
    held=$(sql $n "SELECT COUNT(DISTINCT bookid) FROM CHECKOUT")
    [ "$made" = "$held" ] || fail "SIG$signal: node $n: a book lent twice ($made loans of $held books)"
    [ "$made" -ge $((30 + $(reported "$dir"/load.3.*))) ] || fail "SIG$signal: node $n: reported loans missing"
  done
  for f in "$dir"/load.*; do
    id=$(sed -n 's/^id=//p' "$f")
    [ -n "$id" ] && [ "$id" != 0 ] && [ "$(sql 1 "SELECT COUNT(*) FROM CHECKOUT WHERE id = $id")" != 1 ] \
      && fail "SIG$signal: loan $id reported made but missing"
  done
  started=$SECONDS
  cluster_node_start "$dir" 3
  echo "node 3 rejoined in $((SECONDS - started)) s"
  cluster_wait_whole "$dir" || fail "SIG$signal: node 3 rejoined, but the nodes do not count three members"
  [ "$(checksums 3)" = "$(checksums 1)" ] || fail "SIG$signal: node 3 differs from node 1 after rejoining"
done

if [ "$failures" -gt 0 ]; then
  echo "$failures failures" >&2
  exit 1
fi
echo "cluster tests passed"
