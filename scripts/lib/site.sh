# Lays out and runs the library site: the same steps for scripts/serve, the browser tests and benchmarks.
# Source it, then:
#   site_layout BUILD_DIR VAR_DIR      programs, shared library and static files under VAR_DIR/site
#   site_db_start VAR_DIR [OPTION...]  private MariaDB under VAR_DIR (first start: database, account,
#                                      Dewey table; sample data only into an empty database; every
#                                      start: the schema upgrade); the options go to mariadbd
#   site_web_start VAR_DIR PORT        lighttpd serving VAR_DIR/site on 127.0.0.1:PORT (BIND to change)
#   site_web_stop VAR_DIR, site_db_stop VAR_DIR, site_stop_all VAR_DIR
# Settings come from the environment: AMBRY_MYSQL_USER, AMBRY_MYSQL_PASSWORD, AMBRY_MYSQL_DBNAME,
# AMBRY_ADMIN_PASSWORD (defaults ambry, marmots, ambry, marmots); every AMBRY_* variable is passed on
# to the programs.
# Started as root, MariaDB, lighttpd and so every program run as the unprivileged account
# site_service_user names; started as anyone else, everything runs as that user.

SITE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

site_db_user() { echo "${AMBRY_MYSQL_USER:-ambry}"; }
site_db_password() { echo "${AMBRY_MYSQL_PASSWORD:-marmots}"; }
site_db_name() { echo "${AMBRY_MYSQL_DBNAME:-ambry}"; }
site_admin_password() { echo "${AMBRY_ADMIN_PASSWORD:-marmots}"; }
site_socket() { echo "$1/run/mysqld.sock"; }

# The account the servers and programs run as: for root the system account ambry (made here when
# missing, without a home or a login shell), for anyone else that user. Other launchers call this.
site_service_user() {
  if [ "$(id -u)" != 0 ]; then
    id -un
    return 0
  fi
  local name=ambry
  if ! id -u "$name" >/dev/null 2>&1; then
    # a launcher running at the same moment may make it first
    useradd --system --no-create-home --shell /usr/sbin/nologin "$name" >&2 || id -u "$name" >/dev/null 2>&1 \
      || { echo "site: cannot create the service account $name" >&2; return 1; }
  fi
  echo "$name"
}

# The database account that administers the server: it signs in by unix socket only, as the
# operating system user of the same name (root, or the user who starts the site).
site_db_admin() { id -un; }

# var/ is private: only the service account (and, for root, nobody else but root) enters it. The
# servers' folders belong to the service account; the site's static files and programs do not,
# so the programs cannot change them, except the visitor counter.
site_private_dirs() {
  local var=$1 user dir
  user=$(site_service_user) || return 1
  mkdir -p "$var"
  for dir in run log mysql mysql-files db_backup private; do
    mkdir -p "$var/$dir"
    chmod 0700 "$var/$dir"
  done
  if [ "$(id -u)" = 0 ]; then
    chown root:"$user" "$var"
    chmod 0750 "$var"
    for dir in run log mysql mysql-files db_backup private; do chown -R "$user:$user" "$var/$dir"; done
    if [ -d "$var/site" ]; then
      chown -R root:root "$var/site"
      [ -f "$var/site/data/counter.txt" ] && chown "$user:$user" "$var/site/data/counter.txt"
    fi
    runuser -u "$user" -- test -r "$var/site" 2>/dev/null || [ ! -d "$var/site" ] || {
      echo "site: the service account $user cannot reach $var; place it where other users may enter every folder above it" >&2
      return 1
    }
  else
    chmod 0700 "$var"
  fi
}

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
  # libambry.so, and the record library of the catalogue program beside it
  for lib in "$build"/ambry/lib*.so; do
    site_install_file "$lib" "$var/site/cgi-bin/$(basename "$lib")" 644
  done
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
  site_private_dirs "$var"
}

site_root_client() { mysql --no-defaults --socket="$(site_socket "$1")" -u"$(site_db_admin)" "${@:2}"; }

# Waits until the database server answers, or fails after 30 seconds.
site_db_wait() {
  local var=$1 pid=$2 i
  for i in $(seq 1 300); do
    mysqladmin --no-defaults --socket="$(site_socket "$var")" -u"$(site_db_admin)" ping >/dev/null 2>&1 && return 0
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "site: the database server did not start; see $var/log/mysqld.err" >&2
  return 1
}

site_db_start() {
  local var server_options=("${@:2}")
  var=$(realpath -m "$1")
  local datadir=$var/mysql userflag=() user
  site_private_dirs "$var" || return 1
  user=$(site_service_user) || return 1
  [ "$(id -u)" = 0 ] && userflag=(--user="$user")
  if [ ! -d "$datadir/mysql" ]; then
    # root@localhost (and the starting user's own account) sign in by unix socket only
    mariadb-install-db --no-defaults --datadir="$datadir" --auth-root-authentication-method=socket \
      --auth-root-socket-user="$(site_db_admin)" --skip-test-db "${userflag[@]}" >"$var/log/install.log" 2>&1 \
      || { echo "site: mariadb-install-db failed; see $var/log/install.log" >&2; return 1; }
  fi
  # the tools (mysql, mysqldump) read ~/.my.cnf last, so this home makes them find our socket
  mkdir -p "$var/run/home"
  printf '[client]\nsocket=%s\n' "$(site_socket "$var")" >"$var/run/home/.my.cnf"
  [ "$(id -u)" = 0 ] && chown -R "$user:$user" "$var/run/home"
  # no file can be read or written through the server outside its own empty folder
  setsid mariadbd --no-defaults --datadir="$datadir" --socket="$(site_socket "$var")" \
    --secure-file-priv="$var/mysql-files" \
    --pid-file="$var/run/mysqld.pid" --skip-networking --lower-case-table-names=1 \
    --character-set-server=latin1 --collation-server=latin1_swedish_ci \
    --innodb-buffer-pool-size=64M --log-error="$var/log/mysqld.err" "${userflag[@]}" "${server_options[@]}" \
    </dev/null >>"$var/log/mysqld.out" 2>&1 &
  echo $! >"$var/run/mysqld.launcher.pid"
  site_db_wait "$var" $! || return 1
  site_db_secure "$var" || return 1
  site_db_setup "$var"
}

# An installation made before the database's administrator signed in by socket only had root
# without a password: that way in is closed here.
site_db_secure() {
  local var=$1 admin
  admin=$(site_db_admin)
  if ! site_root_client "$var" -e 'SELECT 1' >/dev/null 2>&1; then
    mysql --no-defaults --socket="$(site_socket "$var")" -uroot -e "
      CREATE USER IF NOT EXISTS '$admin'@'localhost' IDENTIFIED VIA unix_socket;
      GRANT ALL PRIVILEGES ON *.* TO '$admin'@'localhost' WITH GRANT OPTION;" \
      || { echo "site: cannot administer the database server as $admin" >&2; return 1; }
  fi
  site_root_client "$var" -e "ALTER USER 'root'@'localhost' IDENTIFIED VIA unix_socket;"
}

# Brings a database to sql/schema.sql through a client command (the command and its arguments,
# database included): the file runs at every start and makes only what is missing, so a database
# made by an earlier version gets every new table, index and column and keeps every row.
site_schema_upgrade() {
  [ -f "$SITE_ROOT/sql/schema.sql" ] || { echo "site: sql/schema.sql is missing" >&2; return 1; }
  "$@" <"$SITE_ROOT/sql/schema.sql" || { echo "site: the schema upgrade failed" >&2; return 1; }
}

# Database, account, schema, Dewey table and sample data: each step only where it is still missing.
site_db_setup() {
  local var=$1 db user pass
  db=$(site_db_name); user=$(site_db_user); pass=$(site_db_password)
  local q_db=${db//\`/} q_user=${user//\'/\'\'} q_pass=${pass//\'/\'\'}
  site_root_client "$var" -e "CREATE DATABASE IF NOT EXISTS \`$q_db\` DEFAULT CHARACTER SET latin1;
    CREATE USER IF NOT EXISTS '$q_user'@'localhost' IDENTIFIED BY '$q_pass';
    GRANT ALL PRIVILEGES ON \`$q_db\`.* TO '$q_user'@'localhost';" || return 1
  # the site account has rights on the library's database only (older installations had more)
  site_root_client "$var" -e "REVOKE PROCESS ON *.* FROM '$q_user'@'localhost';" 2>/dev/null || true
  site_schema_upgrade site_root_client "$var" "$db" || return 1
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

# Stops the process whose id the file holds: TERM, then KILL after WAIT tenths of a second (150).
site_pid_stop() {
  local pidfile=$1 wait=${2:-150} pid i
  [ -f "$pidfile" ] || return 0
  pid=$(cat "$pidfile")
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid"
    for i in $(seq 1 "$wait"); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
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

# The staff programs of programs/staff_programs.txt, one name a line.
site_staff_programs() {
  awk '!/^#/ && NF == 2 { print $2 }' "$SITE_ROOT/programs/staff_programs.txt"
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
  text=${text//@ENVIRONMENT_FILE@/$var/run/environment.conf}
  text=${text//@SERVER_ACCOUNT@/$(site_web_account)}
  text=${text//@STAFF_PROGRAMS@/$(site_staff_programs | paste -sd '|')}
  printf '%s\n' "$text"
)

site_web_start() {
  local var port
  var=$(realpath -m "$1"); port=$2
  site_web_prepare "$var"
  site_web_conf "$var" "$port" >"$var/run/lighttpd.conf"
  site_web_launch "$var" "$port"
}

# For root: lighttpd drops to the service account once it has opened its port and logs.
site_web_account() {
  [ "$(id -u)" = 0 ] || return 0
  local user
  user=$(site_service_user) || return 1
  printf 'server.username = %s\nserver.groupname = %s' "$(site_conf_string "$user")" "$(site_conf_string "$user")"
}

# The folders, the staff password file and the programs' environment (it holds the passwords)
# that a web server configuration refers to, readable by the service account only.
site_web_prepare() {
  local var=$1 user
  site_private_dirs "$var" || return 1
  user=$(site_service_user) || return 1
  (
    umask 077
    printf 'staff:%s\n' "$(site_admin_password)" >"$var/run/staff.user"
    printf '# What the programs get at run time; written by scripts/lib/site.sh.\nsetenv.add-environment = (\n%s\n)\n' \
      "$(site_cgi_environment "$var")" >"$var/run/environment.conf"
    touch "$var/log/lighttpd-error.log" "$var/log/lighttpd-access.log"
  )
  chmod 0600 "$var/run/staff.user" "$var/run/environment.conf"
  [ "$(id -u)" = 0 ] && chown -R "$user:$user" "$var/run" "$var/log"
  return 0
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

# Stops the automatic backup program that holds this site's run flag (started from its control
# panel), by the process id on the flag's first line; it would otherwise go on without a database.
site_autovault_stop() {
  local flag=$1/db_backup/runflag pid
  [ -f "$flag" ] || return 0
  pid=$(head -n 1 "$flag" | tr -dc 0-9)
  if [ -n "$pid" ] && [ "$(readlink "/proc/$pid/exe" 2>/dev/null | xargs -r basename)" = autovault.exe ]; then
    kill "$pid" 2>/dev/null
    for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
  fi
  return 0
}

site_stop_all() {
  site_web_stop "$1"
  site_autovault_stop "$(realpath -m "$1")"
  site_db_stop "$1"
}

# A port on 127.0.0.1 that nobody listens on now.
site_free_port() {
  local candidate
  for candidate in $(shuf -i 20000-39999 -n 50); do
    (exec 3<>"/dev/tcp/127.0.0.1/$candidate") 2>/dev/null || { echo "$candidate"; return 0; }
  done
  return 1
}

# The test sites: lays BUILD_DIR out in a fresh VAR_DIR, starts its database (log in VAR_DIR's
# parent as db_start.log) and lighttpd on AMBRY_TEST_PORT or a free port, trying another port when
# one is taken meanwhile. Sets SITE_PORT and SITE_URL.
site_private_start() {
  local build var work attempt
  build=$(realpath "$1"); var=$(realpath -m "$2"); work=$(dirname "$var")
  site_stop_all "$var" 2>/dev/null
  rm -rf "$var"
  mkdir -p "$work"
  site_layout "$build" "$var" || return 1
  site_db_start "$var" >"$work/db_start.log" 2>&1 || { cat "$work/db_start.log" >&2; return 1; }
  for attempt in 1 2 3; do
    SITE_PORT=${AMBRY_TEST_PORT:-$(site_free_port)} || { echo "site: no free port" >&2; return 1; }
    SITE_URL="http://127.0.0.1:$SITE_PORT"
    site_web_start "$var" "$SITE_PORT" && return 0
    [ -n "${AMBRY_TEST_PORT:-}" ] && return 1
  done
  return 1
}
