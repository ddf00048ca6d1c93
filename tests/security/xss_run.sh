#!/usr/bin/env bash
# Runs the cross-site scripting attack: starts the built site on a private port with a throwaway
# database, stores hostile texts, and loads every page that shows them in headless Chromium.
# Usage: xss_run.sh BUILD_DIR WORK_DIR
set -uo pipefail
build=$(realpath "$1")
work=$(realpath -m "$2")
here=$(cd "$(dirname "$0")" && pwd)
for tool in lighttpd mariadbd /usr/bin/chromium; do
  command -v "$tool" >/dev/null || { echo "the attack needs $tool (Debian: chromium lighttpd mariadb-server)" >&2; exit 1; }
done
# playwright-core, as the browser tests have it
source "$here/../support/npm_packages.sh"
test_npm_packages || exit 1
source "$here/site_up.sh"
security_site_up

AMBRY_TEST_URL=$base AMBRY_TEST_SOCKET="$(site_socket "$var")" AMBRY_TEST_BACKUP_DIR="$var/db_backup" \
  node "$here/xss.js"
