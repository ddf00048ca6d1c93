#!/usr/bin/env bash
# Faults of the servers around the site: the database stopped while pages are requested (complete
# pages with the error text, no crash, working again once it is back), and a backup into a full
# file system (refused, no restore point left behind).
# Usage: faults_server.sh BUILD_DIR WORK_DIR
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
  (1,'Austen','Emma','111',800,10,1,NOW()), (2,'Eliot','Middlemarch','222',800,10,1,NOW());
INSERT INTO MEMBER (id, password, surname, firstName, address, contactNo, addDate, accountExpiryDate, accountBalance) VALUES
  (1,'pw1','Marmot','Mia','x','1',NOW(),CURDATE() + INTERVAL 365 DAY,0),
  (2,'pw2','Otter','Oli','x','2',NOW(),CURDATE() + INTERVAL 365 DAY,0);" || exit 1

return_date=$(date -d '+14 days' +%F)
# program, posted body, text the page shows when the database answers
requests=(
  "patron_card|memberid=1&password=pw1|Marmot"
  "patron_lookup|author=Austen&title=&isbn=|Emma"
  "patron_hold|memberid=2&password=pw2&bookid=2|"
  "book_editor|cmd=4&id=2|Middlemarch"
  "member_editor|cmd=0|Marmot"
  "checkout_editor|cmd=1&id=&memberid=1&bookid=1&returnDate=$return_date|"
  "reservation_editor|cmd=0|"
  "blacklist_editor|cmd=0|"
)

echo "== (a) the database stopped while pages are requested =="
# clients keep requesting while the server goes down and comes back
LOAD_URL="$REL_URL" LOAD_COOKIE_FILE="$REL_COOKIE_FILE" LOAD_SECONDS=12 LOAD_WORKERS=4 LOAD_BOOKS=2 LOAD_MEMBERS="1 2" \
  node "$here/load_client.js" >"$work/during_stop.json" &
client=$!
sleep 3
site_db_stop "$REL_VAR"
rel_check "database server stopped" eval '! site_root_client "$REL_VAR" -e "SELECT 1" 2>/dev/null'

for entry in "${requests[@]}"; do
  IFS='|' read -r program body _ <<<"$entry"
  page=$(rel_post "$program" "$body")
  status=$(rel_status)
  rel_check "$program without database: HTTP 200 ($status)" [ "$status" = 200 ]
  rel_check "$program without database: page ends with the footer" rel_complete_page "$page"
  rel_check "$program without database: shows the error" grep -q "The query was unsuccessful: " <<<"$page"
  direct=$(printf '%s' "$body" | rel_run_cgi "$program" "${#body}"); code=$?
  rel_check "$program without database: exits with status 0 ($code)" [ "$code" = 0 ]
  rel_check "$program without database, run directly: page ends with the footer" rel_complete_page "$direct"
done
page=$(rel_post control_panel "cmd=9")
rel_check "control_panel backup without database: complete page" rel_complete_page "$page"
# the staff session cannot be checked: the page says why, and the panel is not reached
rel_check "control_panel backup without database: reports the failure" \
  grep -q "The query was unsuccessful: openConnection" <<<"$page"
rel_check "control_panel backup without database: no restore point" \
  [ -z "$(ls "$REL_VAR/db_backup" | grep '\.bak')" ]

site_db_start "$REL_VAR" >>"$work/db_start.log" 2>&1
rel_check "database server back" site_root_client "$REL_VAR" -e 'SELECT 1' >/dev/null
wait "$client"
incomplete=$(node -e 'console.log(JSON.parse(require("fs").readFileSync(process.argv[1])).incomplete)' "$work/during_stop.json")
requests_made=$(node -e 'console.log(JSON.parse(require("fs").readFileSync(process.argv[1])).requests)' "$work/during_stop.json")
rel_check "clients during the stop and restart: $requests_made pages, all complete ($incomplete incomplete)" \
  [ "$incomplete" = 0 -a "$requests_made" -gt 0 ]

for entry in "${requests[@]}"; do
  IFS='|' read -r program body expected <<<"$entry"
  page=$(rel_post "$program" "$body")
  rel_check "$program with the database back: complete page without error" \
    eval 'rel_complete_page "$page" && ! grep -q "The query was unsuccessful" <<<"$page"'
  [ -n "$expected" ] && rel_check "$program with the database back: shows $expected" grep -q "$expected" <<<"$page"
done

echo "== (b) a backup into a full file system =="
backup_dir=$REL_VAR/db_backup
rm -f "$backup_dir"/*
page=$(rel_post control_panel "cmd=9")
rel_check "backup with room: reported as done" grep -q "pumpMsg('Backup successfully completed.')" <<<"$page"
dump=$(ls "$backup_dir" | grep '\.bak$' | head -1)
rel_check "backup with room: one restore point" [ -n "$dump" ]
size=$(stat -c %s "$backup_dir/$dump" 2>/dev/null || echo 0)
rm -f "$backup_dir"/*

# Checks that a backup attempt failed and left nothing that looks like a restore point.
expect_refused_backup() {
  local how=$1 page
  page=$(rel_post control_panel "cmd=9")
  rel_check "$how: complete page" rel_complete_page "$page"
  rel_check "$how: reports the failure" \
    grep -q "pumpMsg('Processing was unsuccessful due to a fatal error.')" <<<"$page"
  rel_check "$how: not reported as done" eval '! grep -q "Backup successfully completed" <<<"$page"'
  rel_check "$how: no restore point, no partial dump ($(ls "$backup_dir" | tr '\n' ' '))" \
    [ -z "$(ls "$backup_dir" | grep -v '^fill$')" ]
}

# REL_NO_MOUNT=1 takes the second way also where mounting works
if [ -z "${REL_NO_MOUNT:-}" ] && mount -t tmpfs -o size=64k,mode=0755 reliability-full "$backup_dir" 2>/dev/null; then
  echo "backup directory is a 64 KiB tmpfs (dump size with room: $size bytes)"
  dd if=/dev/zero of="$backup_dir/fill" bs=4k status=none 2>/dev/null
  expect_refused_backup "backup into a full file system"
  # room for part of the dump only: the tool fails halfway through
  keep=$(( $(stat -c %s "$backup_dir/fill") - size / 2 ))
  [ "$keep" -lt 0 ] && keep=0
  truncate -s "$keep" "$backup_dir/fill"
  expect_refused_backup "backup into a file system that fills up halfway"
  rel_unmount_backup
else
  # No mounting here: a dump tool that writes half the dump and then fails like a full disk.
  echo "cannot mount a tmpfs; the dump tool is replaced by one that runs out of space halfway"
  wrapper=$work/full-disk-mysqldump
  printf '#!/bin/sh\n/usr/bin/mysqldump "$@" | head -c %d\necho "mysqldump: Got errno 28 on write" >&2\nexit 2\n' \
    $((size / 2)) >"$wrapper"
  chmod 755 "$wrapper"
  page=$(printf 'cmd=9' | REL_CGI_ENV="AMBRY_FILE_MYSQLDUMP=$wrapper" rel_run_cgi control_panel 5 2>/dev/null); code=$?
  rel_check "backup cut short by a full disk: exits with status 0 ($code)" [ "$code" = 0 ]
  rel_check "backup cut short by a full disk: complete page" rel_complete_page "$page"
  rel_check "backup cut short by a full disk: reports the failure" grep -q "Processing was unsuccessful due to a fatal error." <<<"$page"
  rel_check "backup cut short by a full disk: no restore point" [ -z "$(ls "$backup_dir")" ]
fi
page=$(rel_post control_panel "cmd=9")
rel_check "backup with room again: done" grep -q "pumpMsg('Backup successfully completed.')" <<<"$page"

rel_check_no_crash
echo "== $REL_FAILURES failure(s) =="
[ "$REL_FAILURES" = 0 ]
