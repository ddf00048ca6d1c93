#!/usr/bin/env bash
# Starts or stops the private MariaDB server of a test run: db_server.sh start|stop DIR
# start: a fresh data directory in DIR, socket DIR/mysqld.sock, database and account from the
# compiled-in settings, schema and Dewey table loaded. stop: shuts it down and removes nothing.
set -euo pipefail
cmd=$1
dir=$(realpath -m "$2")
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
sock=$dir/mysqld.sock
pidf=$dir/mysqld.pid

stop_server() {
  if [ -f "$pidf" ]; then
    pid=$(cat "$pidf")
    if kill -0 "$pid" 2>/dev/null; then
      kill "$pid"
      for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      kill -9 "$pid" 2>/dev/null || true
    fi
    rm -f "$pidf"
  fi
}

client() { mysql --no-defaults --socket="$sock" -uroot "$@"; }

case "$cmd" in
start)
  stop_server
  rm -rf "$dir/data" "$dir/tmp"
  mkdir -p "$dir/data" "$dir/tmp"
  userflag=()
  [ "$(id -u)" = 0 ] && userflag=(--user=root)
  # A private temporary folder: the shared /tmp is busy with other test runs.
  if ! mariadb-install-db --no-defaults --datadir="$dir/data" --tmpdir="$dir/tmp" \
      --auth-root-authentication-method=normal --skip-test-db "${userflag[@]}" >"$dir/install.log" 2>&1; then
    cat "$dir/install.log" >&2
    exit 1
  fi
  mariadbd --no-defaults --datadir="$dir/data" --socket="$sock" --pid-file="$pidf" \
    --tmpdir="$dir/tmp" --skip-networking --lower-case-table-names=1 --character-set-server=latin1 \
    --collation-server=latin1_swedish_ci --innodb-buffer-pool-size=64M \
    --innodb-flush-log-at-trx-commit=2 --log-error="$dir/mysqld.err" "${userflag[@]}" \
    </dev/null >"$dir/mysqld.out" 2>&1 &
  # ctest waits for every process that holds its output pipe, so the server gets none of them
  for _ in $(seq 1 300); do
    mysqladmin --no-defaults --socket="$sock" -uroot ping >/dev/null 2>&1 && break
    sleep 0.1
  done
  if ! mysqladmin --no-defaults --socket="$sock" -uroot ping >/dev/null 2>&1; then
    echo "MariaDB did not start:" >&2
    tail -20 "$dir/mysqld.err" >&2
    exit 1
  fi
  client -e "CREATE DATABASE ambry DEFAULT CHARACTER SET latin1;
    CREATE USER 'ambry'@'localhost' IDENTIFIED BY 'marmots';
    GRANT ALL PRIVILEGES ON ambry.* TO 'ambry'@'localhost';"
  for f in schema.sql dewey.sql; do
    [ -f "$root/sql/$f" ] && client ambry <"$root/sql/$f"
  done
  echo "MariaDB running on $sock"
  ;;
stop)
  stop_server
  echo "MariaDB stopped"
  ;;
*) echo "usage: $0 start|stop DIR" >&2; exit 2 ;;
esac
