#!/usr/bin/env bash
# The site as scripts/serve runs it when started as root: no server runs as root, another local
# account can neither read a password under var/ nor reach the database socket, the database's
# root signs in by socket only, every response forbids framing, and the service account cannot
# make root run, write or stop anything: the three attacks of a compromised account (a line
# appended to the web server's configuration while it starts, links planted where root writes, a
# pid planted where root reads one) come to nothing.
# Usage: served_site.sh BUILD_DIR WORK_DIR   (skipped, exit 77, unless run as root)
set -uo pipefail
build=$(realpath "$1")
work=$(realpath -m "$2")
[ "$(id -u)" = 0 ] || { echo "needs root: skipped"; exit 77; }
source "$(dirname "$0")/site_up.sh"
security_site_up
other=nobody
owner_of_pid() { ps -o user= -p "$(cat "$1")" | tr -d ' '; }

control=$var/control
check "mariadbd runs as ambry" test "$(owner_of_pid "$control/mysqld.launcher.pid")" = ambry
check "lighttpd runs as ambry" test "$(owner_of_pid "$control/lighttpd.launcher.pid")" = ambry
security_sign_in "$work/staff.cookies"
curl -s -b "$work/staff.cookies" --data 'cmd=9' "$base/cgi-bin/control_panel.exe?lang=eng" >/dev/null
check "the programs run as ambry (their restore point is ambry's)" \
  test "$(stat -c %U "$var"/db_backup/*.bak 2>/dev/null | sort -u)" = ambry
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

# The account's own attacks. Nothing of them may reach root.
attack=$(mktemp -d /tmp/ambry-attack.XXXXXX)
chmod 0755 "$attack"
bystander=""
trap 'touch "$attack/stop"; [ -n "$bystander" ] && kill "$bystander"; site_stop_all "$var"; sleep 0.2; rm -rf "$attack"' EXIT
as_ambry() { runuser -u ambry -- "$@"; }

echo "== (1) a line appended to the web server's configuration while it starts =="
for f in "$control/lighttpd.conf" "$control/environment.conf" "$control" "$var/log"; do
  check "the account cannot write $f" eval "! as_ambry test -w '$f'"
done
# The race of before: append include_shell in a loop while lighttpd restarts (and checks its
# configuration as root). The files are root's in a folder of root's, so no append ever lands.
timeout 120 runuser -u ambry -- bash -c "while [ ! -e '$attack/stop' ]; do
    for f in '$control/lighttpd.conf' '$control/environment.conf'; do
      echo 'include_shell \"touch $attack/ran-as-root\"' >>\"\$f\" 2>/dev/null && echo x >>'$attack/appended'
    done
  done" </dev/null >/dev/null 2>&1 &
appender=$!
for _ in 1 2 3; do site_web_stop "$var"; site_web_start "$var" "$port" >/dev/null 2>&1; done
touch "$attack/stop"
wait "$appender" 2>/dev/null
check "no append reached the configuration" test ! -e "$attack/appended"
check "nothing ran as root from it" test ! -e "$attack/ran-as-root"
check "lighttpd came back" eval "curl -sf -o /dev/null '$base/cgi-bin/index.exe?lang=eng'"

echo "== (2) links planted where root used to write =="
printf 'original\n' >"$attack/target"
chmod 0644 "$attack/target"
for name in environment.conf staff.user lighttpd.conf lighttpd.launcher.pid mysqld.launcher.pid lighttpd.pid; do
  as_ambry ln -sfn "$attack/target" "$var/run/$name"
done
as_ambry ln -sfn "$attack/created-by-root" "$var/run/home"
for dir in "$control" "$var/log"; do
  check "the account cannot plant a link in $dir" eval "! as_ambry ln -s '$attack/target' '$dir/planted' 2>/dev/null"
done
site_stop_all "$var"
site_db_start "$var" >/dev/null 2>&1 && site_web_start "$var" "$port" >/dev/null 2>&1
check "the target kept its content" test "$(cat "$attack/target")" = original
check "the target kept its mode and owner" test "$(stat -c '%a %U' "$attack/target")" = "644 root"
check "no file was made where a link pointed" test ! -e "$attack/created-by-root"
check "the site came back" eval "curl -sf -o /dev/null '$base/cgi-bin/index.exe?lang=eng'"

echo "== (3) a pid planted where root reads one =="
setsid sleep 600 </dev/null >/dev/null 2>&1 &
bystander=$!
echo "$bystander" | as_ambry tee "$var/run/mysqld.pid" "$var/db_backup/runflag" >/dev/null
check "the account cannot write root's pid files" eval "! as_ambry test -w '$control/mysqld.launcher.pid'"
server=$(cat "$control/mysqld.launcher.pid")
# stopped as scripts/serve stops, under errexit: a run flag naming no autovault must not end it early
bash -ec 'source "$1/scripts/lib/site.sh"; site_stop_all "$2"' stop "$SITE_ROOT" "$var"
check "root's own process was not stopped" kill -0 "$bystander"
check "the site's database server was stopped" eval "! kill -0 $server 2>/dev/null"

exit $failed
