#!/usr/bin/env bash
# Runs the browser tests: lays the built site out in a throwaway directory, starts it on a private
# port with a fresh database, runs every scenario in headless Chromium, and stops everything.
# Usage: run.sh BUILD_DIR WORK_DIR   (screenshots land in WORK_DIR/screenshots)
set -uo pipefail
build=$(realpath "$1")
work=$(realpath -m "$2")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/lib/site.sh"
source "$here/../support/npm_packages.sh"

for tool in lighttpd mariadbd /usr/bin/chromium yaz-ztest; do
  command -v "$tool" >/dev/null || { echo "browser tests need $tool (Debian: chromium lighttpd mariadb-server yaz)" >&2; exit 1; }
done
test_npm_packages || exit 1

var=$work/var
rm -rf "$work/screenshots"
mkdir -p "$work/screenshots"
ztest_pid=
trap 'site_stop_all "$var"; [ -n "$ztest_pid" ] && kill "$ztest_pid"' EXIT

unset AMBRY_ADMIN_PASSWORD AMBRY_NO_SAMPLE_DATA BIND TLS_CERT TLS_KEY TLS_PROXY HTTP_PORT
# Served as an installation serves it: over HTTPS, with a self-signed pair of its own.
export TLS=1
# The shared catalogue of copy cataloguing: YAZ's test server, answering with one crafted record.
mkdir -p "$work/ztest"
cp "$here/lib/shared_catalogue_record.xml" "$work/ztest/ambry.1.xml"
ztest_port=$(site_free_port) || exit 1
YAZ_ZTEST_XML_FETCH="$work/ztest/" yaz-ztest -l "$work/ztest/ztest.log" "tcp:127.0.0.1:$ztest_port" &
ztest_pid=$!
export AMBRY_CATALOGUE_TARGET="127.0.0.1:$ztest_port/Default preferredRecordSyntax=xml elementSetName=ambry"
site_private_start "$build" "$var" || exit 1
echo "site running at $SITE_URL/ (data in $var)"

AMBRY_TEST_URL="$SITE_URL" AMBRY_TEST_SOCKET="$(site_socket "$var")" \
  AMBRY_TEST_SHOTS="$work/screenshots" AMBRY_TEST_BACKUP_DIR="$var/db_backup" \
  node "$here/run_all.js"
