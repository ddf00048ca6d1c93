#!/usr/bin/env bash
# Starts or stops the private MariaDB server of a test run: db_server.sh start|stop DIR
# start: the site's database start on a fresh data directory in DIR (socket DIR/run/mysqld.sock;
# database, account, schema and Dewey table, no sample data). stop: shuts it down, removes nothing.
set -euo pipefail
cmd=$1
dir=$(realpath -m "$2")
source "$(cd "$(dirname "$0")" && pwd)/../../scripts/lib/site.sh"

case "$cmd" in
start)
  site_db_stop "$dir"
  rm -rf "$dir"
  # Tests commit thousands of small changes: the log is written at each commit, flushed once a second.
  if ! AMBRY_NO_SAMPLE_DATA=1 site_db_start "$dir" --innodb-flush-log-at-trx-commit=2; then
    tail -20 "$dir/log/mysqld.err" >&2 2>/dev/null
    exit 1
  fi
  echo "MariaDB running on $(site_socket "$dir")"
  ;;
stop)
  site_db_stop "$dir"
  echo "MariaDB stopped"
  ;;
*) echo "usage: $0 start|stop DIR" >&2; exit 2 ;;
esac
