# Lays out and runs the library site: the same steps for scripts/serve, the browser tests and benchmarks.
# Source it, then:
#   site_layout BUILD_DIR VAR_DIR      programs, shared library and static files under VAR_DIR/site
#   site_db_start VAR_DIR              private MariaDB under VAR_DIR (first start: database, account,
#                                      schema, Dewey table; sample data only into an empty database)
#   site_web_start VAR_DIR PORT        lighttpd serving VAR_DIR/site on 127.0.0.1:PORT (BIND to change)
#   site_web_stop VAR_DIR, site_db_stop VAR_DIR, site_stop_all VAR_DIR
# Settings come from the environment: AMBRY_MYSQL_USER, AMBRY_MYSQL_PASSWORD, AMBRY_MYSQL_DBNAME,
# AMBRY_ADMIN_PASSWORD (defaults ambry, marmots, ambry, marmots); every AMBRY_* variable is passed on
# to the programs.

SITE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

site_db_user() { echo "${AMBRY_MYSQL_USER:-ambry}"; }
site_db_password() { echo "${AMBRY_MYSQL_PASSWORD:-marmots}"; }
site_db_name() { echo "${AMBRY_MYSQL_DBNAME:-ambry}"; }
site_admin_password() { echo "${AMBRY_ADMIN_PASSWORD:-marmots}"; }
site_socket() { echo "$1/run/mysqld.sock"; }

# Copies a file into place through a temporary name, so a running server never sees half a file.
site_install_file() {
  local src=$1 dest=$2 mode=$3
  cp -L "$src" "$dest.new.$$" && chmod "$mode" "$dest.new.$$" && mv -f "$dest.new.$$" "$dest"
}

site_layout() {
  local build var
  build=$(realpath "$1"); var=$(realpath -m "$2")
  mkdir -p "$var/site/cgi-bin" "$var/site/data" "$var/db_backup" "$var/run" "$var/log"
  local lib=$build/ambry/libambry.so
  [ -f "$lib" ] || { echo "site: $lib is missing; build first" >&2; return 1; }
  site_install_file "$lib" "$var/site/cgi-bin/libambry.so" 644
  local n=0 prog
  for prog in "$build"/bin/*; do
    [ -f "$prog" ] && [ -x "$prog" ] || continue
    site_install_file "$prog" "$var/site/cgi-bin/$(basename "$prog").exe" 755
    n=$((n + 1))
  done
  [ "$n" -gt 0 ] || { echo "site: no programs in $build/bin" >&2; return 1; }
  local f
  for f in "$SITE_ROOT"/site/data/*; do
    # the visitor count belongs to the installation once it exists
    [ "$(basename "$f")" = counter.txt ] && [ -e "$var/site/data/counter.txt" ] && continue
    site_install_file "$f" "$var/site/data/$(basename "$f")" 644
  done
}

site_root_client() { mysql --no-defaults --socket="$(site_socket "$1")" -uroot "${@:2}"; }

# Waits until the database server answers, or fails after 30 seconds.
site_db_wait() {
  local var=$1 pid=$2 i
  for i in $(seq 1 300); do
    mysqladmin --no-defaults --socket="$(site_socket "$var")" -uroot ping >/dev/null 2>&1 && return 0
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "site: the database server did not start; see $var/log/mysqld.err" >&2
  return 1
}

site_db_start() {
  local var
  var=$(realpath -m "$1")
  local datadir=$var/mysql userflag=()
  mkdir -p "$var/run" "$var/log"
  [ "$(id -u)" = 0 ] && userflag=(--user=root)
  if [ ! -d "$datadir/mysql" ]; then
    mkdir -p "$datadir"
    mariadb-install-db --no-defaults --datadir="$datadir" --auth-root-authentication-method=normal \
      --skip-test-db "${userflag[@]}" >"$var/log/install.log" 2>&1 \
      || { echo "site: mariadb-install-db failed; see $var/log/install.log" >&2; return 1; }
  fi
  # the tools (mysql, mysqldump) read ~/.my.cnf last, so this home makes them find our socket
  mkdir -p "$var/run/home"
  printf '[client]\nsocket=%s\n' "$(site_socket "$var")" >"$var/run/home/.my.cnf"
  setsid mariadbd --no-defaults --datadir="$datadir" --socket="$(site_socket "$var")" \
    --pid-file="$var/run/mysqld.pid" --skip-networking --lower-case-table-names=1 \
    --character-set-server=latin1 --collation-server=latin1_swedish_ci \
    --innodb-buffer-pool-size=64M --log-error="$var/log/mysqld.err" "${userflag[@]}" \
    </dev/null >>"$var/log/mysqld.out" 2>&1 &
  echo $! >"$var/run/mysqld.launcher.pid"
  site_db_wait "$var" $! || return 1
  site_db_setup "$var"
}

# Database, account, schema, Dewey table and sample data: each step only where it is still missing.
site_db_setup() {
  local var=$1 db user pass
  db=$(site_db_name); user=$(site_db_user); pass=$(site_db_password)
  local q_db=${db//\`/} q_user=${user//\'/\'\'} q_pass=${pass//\'/\'\'}
  site_root_client "$var" -e "CREATE DATABASE IF NOT EXISTS \`$q_db\` DEFAULT CHARACTER SET latin1;
    CREATE USER IF NOT EXISTS '$q_user'@'localhost' IDENTIFIED BY '$q_pass';
    GRANT ALL PRIVILEGES ON \`$q_db\`.* TO '$q_user'@'localhost';
    GRANT PROCESS ON *.* TO '$q_user'@'localhost';" || return 1
  local tables
  tables=$(site_root_client "$var" -N -e "SELECT COUNT(*) FROM information_schema.tables WHERE table_schema = '$q_db'")
  if [ "$tables" = 0 ]; then
    [ -f "$SITE_ROOT/sql/schema.sql" ] || { echo "site: sql/schema.sql is missing" >&2; return 1; }
    site_root_client "$var" "$db" <"$SITE_ROOT/sql/schema.sql" || return 1
  fi
  if [ "$(site_root_client "$var" -N "$db" -e 'SELECT COUNT(*) FROM DEWEY')" = 0 ] && [ -f "$SITE_ROOT/sql/dewey.sql" ]; then
    site_root_client "$var" "$db" <"$SITE_ROOT/sql/dewey.sql" || return 1
  fi
  local rows
  rows=$(site_root_client "$var" -N "$db" -e "SELECT (SELECT COUNT(*) FROM BOOK) + (SELECT COUNT(*) FROM MEMBER)
    + (SELECT COUNT(*) FROM CHECKOUT) + (SELECT COUNT(*) FROM RESERVATION) + (SELECT COUNT(*) FROM BLACKLIST)")
  if [ "$rows" = 0 ] && [ -z "${AMBRY_NO_SAMPLE_DATA:-}" ]; then
    site_root_client "$var" "$db" <"$SITE_ROOT/sql/sample_data.sql" || return 1
    echo "site: sample data loaded into the empty database"
  fi
}

site_pid_stop() {
  local pidfile=$1 pid i
  [ -f "$pidfile" ] || return 0
  pid=$(cat "$pidfile")
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    for i in $(seq 1 150); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
  fi
  rm -f "$pidfile"
}

site_db_stop() {
  local var
  var=$(realpath -m "$1")
  site_pid_stop "$var/run/mysqld.pid"
  rm -f "$var/run/mysqld.launcher.pid"
}

# A value as a lighttpd string literal.
site_conf_string() {
  local v=${1//\\/\\\\}
  printf '"%s"' "${v//\"/\\\"}"
}

# The environment the programs get under the web server.
site_cgi_environment() {
  local var=$1 name
  printf '  "MYSQL_UNIX_PORT" => %s,\n' "$(site_conf_string "$(site_socket "$var")")"
  printf '  "HOME" => %s,\n' "$(site_conf_string "$var/run/home")"
  printf '  "PATH" => %s,\n' "$(site_conf_string "/usr/local/bin:/usr/bin:/bin")"
  printf '  "TZ" => %s' "$(site_conf_string "${TZ:-:/etc/localtime}")"
  for name in $(compgen -e | grep '^AMBRY_' | sort); do
    printf ',\n  "%s" => %s' "$name" "$(site_conf_string "${!name}")"
  done
}

site_web_conf() (
  local var=$1 port=$2 text
  shopt -u patsub_replacement 2>/dev/null || true
  text=$(cat "$SITE_ROOT/site/lighttpd.conf.in")
  text=${text//@SITE_DIR@/$var/site}
  text=${text//@BIND@/${BIND:-127.0.0.1}}
  text=${text//@PORT@/$port}
  text=${text//@RUN_DIR@/$var/run}
  text=${text//@LOG_DIR@/$var/log}
  text=${text//@AUTH_FILE@/$var/run/staff.user}
  text=${text//@CGI_ENVIRONMENT@/$(site_cgi_environment "$var")}
  printf '%s\n' "$text"
)

site_web_start() {
  local var port
  var=$(realpath -m "$1"); port=$2
  site_web_prepare "$var"
  site_web_conf "$var" "$port" >"$var/run/lighttpd.conf"
  site_web_launch "$var" "$port"
}

# The folders and the staff password file that a web server configuration refers to.
site_web_prepare() {
  mkdir -p "$1/run" "$1/log"
  (umask 077 && printf 'staff:%s\n' "$(site_admin_password)" >"$1/run/staff.user")
}

# Checks VAR_DIR/run/lighttpd.conf, starts lighttpd with it and waits until PORT answers.
site_web_launch() {
  local var=$1 port=$2
  lighttpd -tt -f "$var/run/lighttpd.conf" >"$var/log/lighttpd-check.log" 2>&1 \
    || { cat "$var/log/lighttpd-check.log" >&2; return 1; }
  setsid lighttpd -D -f "$var/run/lighttpd.conf" </dev/null >>"$var/log/lighttpd.out" 2>&1 &
  echo $! >"$var/run/lighttpd.launcher.pid"
  local i pid=$!
  for i in $(seq 1 100); do
    (exec 3<>"/dev/tcp/${BIND:-127.0.0.1}/$port") 2>/dev/null && return 0
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "site: lighttpd did not start; see $var/log/lighttpd-error.log and $var/log/lighttpd.out" >&2
  return 1
}

site_web_stop() {
  local var
  var=$(realpath -m "$1")
  site_pid_stop "$var/run/lighttpd.launcher.pid"
  rm -f "$var/run/lighttpd.pid"
}

site_stop_all() {
  site_web_stop "$1"
  site_db_stop "$1"
}
