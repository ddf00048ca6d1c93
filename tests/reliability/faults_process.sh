#!/usr/bin/env bash
# Faults of processes and clients: an autovault killed with SIGKILL is replaced by a new start
# (directly and through the control panel), a request body cut short or a client that goes away
# leaves no half-written row, no program left running, and a web server that goes on serving, and a
# restore killed together with its replay tool (last: the web server logs that kill) ends in the
# database as it was, never in a mix.
# Usage: faults_process.sh BUILD_DIR WORK_DIR
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
source "$here/cgi.sh"
work=$(realpath -m "$2")
mkdir -p "$work"
trap 'rel_site_stop' EXIT
rel_site_start "$1" "$work" || exit 1

rel_sql "
INSERT INTO BOOK (id, author, title, isbn, dewey, price, _condition, addDate) VALUES
  (1,'Austen','Emma','111',800,10,1,NOW());
INSERT INTO MEMBER (id, password, surname, firstName, address, contactNo, addDate, accountExpiryDate, accountBalance) VALUES
  (1,'pw1','Marmot','Mia','x','1',NOW(),CURDATE() + INTERVAL 365 DAY,0),
  (2,'pw2','Otter','Oli','x','2',NOW(),CURDATE() + INTERVAL 365 DAY,0);" || exit 1

flag=$REL_VAR/db_backup/runflag
flag_pid() { head -n 1 "$flag" 2>/dev/null | tr -dc 0-9; }
is_autovault() { [ -n "$1" ] && [ "$(readlink "/proc/$1/exe" 2>/dev/null | xargs -r basename)" = autovault.exe ]; }
# Waits up to 10 s until the run flag names a running autovault other than $1; prints its id.
wait_new_holder() {
  local old=$1 pid
  for _ in $(seq 1 100); do
    pid=$(flag_pid)
    if [ -n "$pid" ] && [ "$pid" != "$old" ] && is_autovault "$pid"; then echo "$pid"; return 0; fi
    sleep 0.1
  done
  return 1
}
start_autovault() {  # in the background, as the control panel would; prints its process id
  (cd "$REL_VAR/site/cgi-bin" && exec env -i PATH=/usr/bin:/bin MYSQL_UNIX_PORT="$(site_socket "$REL_VAR")" \
     HOME="$(site_control "$REL_VAR")/home" setsid ./autovault.exe </dev/null >/dev/null 2>&1) &
  echo $!
}
# True while the process runs: not gone, and not a zombie that init has yet to collect.
running() {
  local state
  state=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -d' ' -f1)
  [ -n "$state" ] && [ "$state" != Z ]
}
# Kills with SIGKILL and waits until it no longer runs. It may stay a zombie for a while (until
# init collects it), which must not count as a running copy.
kill_hard() {
  kill -9 "$1" 2>/dev/null
  for _ in $(seq 1 100); do running "$1" || return 0; sleep 0.1; done
  return 1
}

echo "== (c) autovault killed with SIGKILL =="
first=$(start_autovault)
holder=$(wait_new_holder "")
rel_check "autovault holds the run flag with its own id" [ "$holder" = "$first" ]
kill_hard "$first"
rel_check "after SIGKILL the run flag is left behind, stale" [ -f "$flag" -a "$(flag_pid)" = "$first" ]
second=$(start_autovault)
holder=$(wait_new_holder "$first")
rel_check "a new start takes the stale run flag over" [ "$holder" = "$second" ]
sleep 1
rel_check "the new autovault keeps running" is_autovault "$second"
(cd "$REL_VAR/site/cgi-bin" && env -i PATH=/usr/bin:/bin MYSQL_UNIX_PORT="$(site_socket "$REL_VAR")" \
   timeout 10 ./autovault.exe </dev/null >/dev/null 2>&1); code=$?
rel_check "a start while it runs gives way (status $code) and leaves the flag alone" \
  [ "$code" = 1 -a "$(flag_pid)" = "$second" ]
kill "$second"
for _ in $(seq 1 100); do running "$second" || break; sleep 0.1; done
rel_check "a stopped autovault removes its run flag" [ ! -e "$flag" ]

# through the control panel: a stale flag does not block the launch
stale=$(start_autovault)
wait_new_holder "" >/dev/null
kill_hard "$stale"
page=$(rel_post control_panel "cmd=11")
rel_check "control panel over a stale run flag: complete page" rel_complete_page "$page"
rel_check "control panel over a stale run flag: launched" \
  grep -q "pumpMsg('Application successfully launched.')" <<<"$page"
launched=$(wait_new_holder "$stale")
rel_check "control panel launch: a new autovault holds the flag" is_autovault "$launched"
page=$(rel_post control_panel "cmd=11")
rel_check "control panel while it runs: already running" \
  grep -q "pumpMsg('The application is already running.')" <<<"$page"
kill_hard "$launched"
page=$(rel_post control_panel "cmd=11")
rel_check "control panel after that one was killed: launched again" \
  grep -q "pumpMsg('Application successfully launched.')" <<<"$page"
relaunched=$(wait_new_holder "$launched")
rel_check "control panel relaunch: a new autovault holds the flag" is_autovault "$relaunched"
rel_stop_autovault
rel_check "autovault stopped by the test released the flag" [ ! -e "$flag" ]
# a backup interrupted by SIGKILL must not have become a restore point
incomplete=""
for dump in "$REL_VAR"/db_backup/*.bak; do
  [ -e "$dump" ] || continue
  tail -c 200 "$dump" | grep -q -- "-- Dump completed" || incomplete+=" $(basename "$dump")"
done
rel_check "every restore point is a whole dump:${incomplete:- yes}" [ -z "$incomplete" ]

echo "== (d) request bodies cut short and clients that go away =="
return_date=$(date -d '+14 days' +%F)
rows() { rel_sql "SELECT (SELECT COUNT(*) FROM CHECKOUT) + (SELECT COUNT(*) FROM BLACKLIST) + (SELECT COUNT(*) FROM RESERVATION) + (SELECT COUNT(*) FROM MEMBER)"; }
before=$(rows)

# Run directly: a body that ends before CONTENT_LENGTH bytes. Cut where the remaining text would
# still make a valid but wrong request: reason "lost" for "lost three books", book 1 for book 12.
cut_case() {  # program, full body, cut body
  local program=$1 full=$2 cut=$3 page code
  page=$(printf '%s' "$cut" | REL_CGI_TIMEOUT=15 rel_run_cgi "$program" "${#full}"); code=$?
  rel_check "$program with a body cut short: exits with status 0 ($code)" [ "$code" = 0 ]
  rel_check "$program with a body cut short: complete page" rel_complete_page "$page"
}
cut_case blacklist_editor "cmd=1&id=&memberid=2&reason=lost+three+books" "cmd=1&id=&memberid=2&reason=lost"
cut_case checkout_editor "cmd=1&id=&returnDate=$return_date&memberid=1&bookid=12" "cmd=1&id=&returnDate=$return_date&memberid=1&bookid=1"
cut_case reservation_editor "cmd=1&id=&memberid=2&bookid=12" "cmd=1&id=&memberid=2&bookid=1"
cut_case member_editor "cmd=1&id=7&password=pw7&surname=Lynx+Longname&accountExpiryDate=$return_date" "cmd=1&id=7&password=pw7&surname=Lynx"
cut_case patron_hold "memberid=1&password=pw1&bookid=12" "memberid=1&password=pw1&bookid=1"
rel_check "bodies cut short wrote no row ($before rows before, $(rows) after)" [ "$(rows)" = "$before" ]

# Through the web server: the client announces more than it sends and closes.
rel_sql "DELETE FROM BLACKLIST; DELETE FROM CHECKOUT; DELETE FROM RESERVATION; DELETE FROM MEMBER WHERE id > 2"
raw_request() {  # program, announced length, body sent, seconds to wait before closing
  exec 3<>"/dev/tcp/127.0.0.1/$REL_PORT" || return 1
  printf 'POST /cgi-bin/%s.exe?lang=eng HTTP/1.1\r\nHost: 127.0.0.1\r\nCookie: %s\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: %s\r\nConnection: close\r\n\r\n%s' \
    "$1" "$(cat "$REL_COOKIE_FILE")" "$2" "$3" >&3
  sleep "$4"
  exec 3>&-
}
full="cmd=1&id=&memberid=2&reason=lost+three+books"
raw_request blacklist_editor "${#full}" "cmd=1&id=&memberid=2&reason=lost" 0.5
raw_request checkout_editor 200 "cmd=1&id=&returnDate=$return_date&memberid=1&bookid=1" 0
raw_request blacklist_editor 100 "" 0
# a complete request whose client leaves before the answer
raw_request blacklist_editor "${#full}" "$full" 0
sleep 2
rel_check "no program left running after the clients left" \
  [ -z "$(for p in /proc/[0-9]*; do readlink "$p/exe" 2>/dev/null; done | grep -F "$REL_VAR/site/cgi-bin/" | grep -v autovault)" ]
partial=$(rel_sql "SELECT id, memberid, reason FROM BLACKLIST WHERE reason <> 'lost three books'
                   UNION ALL SELECT id, memberid, bookid FROM CHECKOUT")
rel_check "no half-written row from the clients that left: ${partial:-none}" [ -z "$partial" ]
rel_check "at most the one complete blacklisting" [ "$(rel_sql 'SELECT COUNT(*) FROM BLACKLIST')" -le 1 ]
page=$(rel_post patron_card "memberid=1&password=pw1")
rel_check "the web server goes on serving: HTTP $(rel_status), complete page" \
  eval '[ "$(rel_status)" = 200 ] && rel_complete_page "$page" && grep -q Marmot <<<"$page"'

rel_check_no_crash

echo "== (e) a restore killed together with its replay tool =="
checksums() { rel_sql "CHECKSUM TABLE BOOK, MEMBER, CHECKOUT, RESERVATION, BLACKLIST, DEWEY" | cut -f2 | paste -sd ' '; }
# The restore point: enough books that its replay takes a while, and members of its own.
rel_sql "DELETE FROM CHECKOUT; DELETE FROM RESERVATION; DELETE FROM BLACKLIST; DELETE FROM BOOK;
  INSERT INTO BOOK (author, title, isbn, dewey, price, _condition, addDate)
    SELECT 'New', REPEAT('n', 200), seq, 800, 1, 1, NOW() FROM seq_1_to_150000;
  UPDATE MEMBER SET surname = 'New'"
page=$(rel_post control_panel "cmd=9" -m 120)
point=$(cd "$REL_VAR/db_backup" && ls -t -- *.bak | head -1)
rel_check "the restore point is made ($point; $(grep -o "pumpMsg([^)]*)" <<<"$page"))" grep -q "pumpMsg('Backup successfully completed.')" <<<"$page"
# The database as it is before the restore.
rel_sql "DELETE FROM BOOK; INSERT INTO BOOK (id, author, title, isbn, dewey, price, _condition, addDate)
  VALUES (1, 'Old', 'Old', '1', 800, 1, 1, NOW()); UPDATE MEMBER SET surname = 'Old'"
old=$(checksums)
# The restore as staff start it, through the web server, as the service account.
rel_post control_panel "cmd=10&restore_file=$point" -m 120 >/dev/null &
runner=$!
# The page, then its replay tool once it reads the restore point (the safety point's dump comes first).
page_pid="" tool=""
for _ in $(seq 1 1500); do
  for pid in $(pgrep -f control_panel.exe); do
    [ "$(readlink "/proc/$pid/exe")" = "$REL_VAR/site/cgi-bin/control_panel.exe" ] && page_pid=$pid
  done
  for child in $(pgrep -P "${page_pid:-0}"); do
    [ "$(readlink "/proc/$child/fd/0")" = "$REL_VAR/db_backup/$point" ] && tool=$child
  done
  [ -n "$tool" ] && break
  sleep 0.01
done 2>/dev/null
rel_check "the replay tool runs under the page (page ${page_pid:-none}, tool ${tool:-none})" [ -n "$tool" ]
size=$(stat -c %s "$REL_VAR/db_backup/$point")
for _ in $(seq 1 600); do  # a third of the way through the file
  pos=$(awk '/^pos:/ { print $2 }' "/proc/$tool/fdinfo/0" 2>/dev/null)
  [ -z "$pos" ] || [ "$pos" -gt $((size / 3)) ] && break
  sleep 0.02
done
kill -9 "$page_pid" "$tool" 2>/dev/null
wait "$runner" 2>/dev/null
books=$(rel_sql "SELECT COUNT(*) FROM BOOK")
rel_check "the kill left a mix: $books of 150000 new books, members still old" \
  [ "$books" -gt 1 -a "$books" -lt 150000 -a "$(rel_sql "SELECT COUNT(*) FROM MEMBER WHERE surname = 'Old'")" -gt 0 ]
rel_check "the replay is recorded with its safety point" [ -n "$(rel_sql "SELECT replayPoint FROM RULEGUARD")" ]
# What a host crash and a restart, or the minute of the mark's lease, would do: the mark lapses.
rel_sql "UPDATE RULEGUARD SET restoreUntil = NOW() - INTERVAL 1 SECOND"
page=$(rel_post book_editor "cmd=1&id=&author=After&title=After&isbn=2&dewey=800&price=1&_condition=1")
rel_check "the next change is made" grep -q "pumpMsg('New entry added.')" <<<"$page"
rel_sql "DELETE FROM BOOK WHERE author = 'After'"
rel_check "... on the database as it was before the restore, rolled back first" [ "$(checksums)" = "$old" ]
rel_check "the record is gone" [ -z "$(rel_sql "SELECT CONCAT_WS('/', replayPoint, restoreUntil) FROM RULEGUARD")" ]

echo "== $REL_FAILURES failure(s) =="
[ "$REL_FAILURES" = 0 ]
