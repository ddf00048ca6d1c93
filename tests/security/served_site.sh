#!/usr/bin/env bash
# The site as scripts/serve runs it when started as root: no server runs as root, another local
# account can neither read a password under var/ nor reach the database socket, the database's
# root signs in by socket only, and every response forbids framing.
# Usage: served_site.sh BUILD_DIR WORK_DIR   (skipped, exit 77, unless run as root)
set -uo pipefail
build=$(realpath "$1")
work=$(realpath -m "$2")
[ "$(id -u)" = 0 ] || { echo "needs root: skipped"; exit 77; }
source "$(dirname "$0")/site_up.sh"
security_site_up
other=nobody
failed=0
check() {
  local what=$1
  shift
  if "$@" >/dev/null 2>&1; then echo "ok      $what"; else echo "FAILED  $what"; failed=1; fi
}
owner_of_pid() { ps -o user= -p "$(cat "$1")" | tr -d ' '; }

check "mariadbd runs as ambry" test "$(owner_of_pid "$var/run/mysqld.pid")" = ambry
check "lighttpd runs as ambry" test "$(owner_of_pid "$var/run/lighttpd.pid")" = ambry
curl -s --data 'password=wrong' "$base/cgi-bin/staff_login.exe?lang=eng" >/dev/null
check "the programs run as ambry" test "$(stat -c %U "$var/private/password_guesses.txt")" = ambry
check "no password readable by $other under var/" \
  eval "! runuser -u $other -- grep -rqs -e marmots '$var'"
check "$other cannot reach the socket" \
  eval "! runuser -u $other -- mysql --no-defaults --socket='$(site_socket "$var")' -uambry -pmarmots -e 'SELECT 1'"
check "the database's root signs in by socket only" \
  eval "! runuser -u ambry -- mysql --no-defaults --socket='$(site_socket "$var")' -uroot -e 'SELECT 1'"
check "the site account has rights on its database only" \
  eval "! site_root_client '$var' -N -e \"SHOW GRANTS FOR 'ambry'@'localhost'\" | grep -q 'ON \\*\\.\\*.*PROCESS'"
check "the server writes files only into its own folder" \
  test "$(site_root_client "$var" -N -e 'SELECT @@secure_file_priv')" = "$var/mysql-files/"
check "the programs cannot write the static files" \
  eval "! runuser -u ambry -- touch '$var/site/data/style.css'"
for page in /cgi-bin/index.exe?lang=eng /data/style.css /no-such-page; do
  headers=$(curl -s -D - -o /dev/null "$base$page")
  check "$page forbids framing" eval "grep -q '^X-Frame-Options: DENY' <<<\"\$headers\" && grep -q \"^Content-Security-Policy: frame-ancestors 'none'\" <<<\"\$headers\""
done
exit $failed
