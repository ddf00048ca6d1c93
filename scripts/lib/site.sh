# Lays out and runs the library site: the same steps for scripts/serve, the tests and benchmarks.
# Source it, then:
#   site_layout BUILD_DIR VAR_DIR      programs, shared library and static files under VAR_DIR/site
#   site_db_start VAR_DIR [OPTION...]  private MariaDB under VAR_DIR (first start: database, account,
#                                      schema, Dewey table; sample data only into an empty database;
#                                      every start: the schema upgrade); the options go to mariadbd
#   site_web_start VAR_DIR PORT        lighttpd serving VAR_DIR/site on PORT (site_web.sh: BIND, TLS)
#   site_web_stop VAR_DIR, site_db_stop VAR_DIR, site_stop_all VAR_DIR
# Settings come from the environment: AMBRY_MYSQL_USER, AMBRY_MYSQL_PASSWORD, AMBRY_MYSQL_DBNAME,
# AMBRY_ADMIN_PASSWORD (defaults ambry, marmots, ambry, marmots); every AMBRY_* variable is passed on
# to the programs.
# Started as root, MariaDB, lighttpd and so every program run as the unprivileged account
# site_service_user names; started as anyone else, everything runs as that user. Root then reads and
# writes only in folders of its own: VAR_DIR/control (the web server's configuration, the programs'
# environment, the TLS pair, the launcher's pid files) and VAR_DIR/log; never in a folder the
# account controls, whose entries the account could turn into links to files of its choosing.

SITE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

site_db_user() { echo "${AMBRY_MYSQL_USER:-ambry}"; }
site_db_password() { echo "${AMBRY_MYSQL_PASSWORD:-marmots}"; }
site_db_name() { echo "${AMBRY_MYSQL_DBNAME:-ambry}"; }
site_admin_password() { echo "${AMBRY_ADMIN_PASSWORD:-marmots}"; }
site_socket() { echo "$1/run/mysqld.sock"; }
# Root's own folder of an installation.
site_control() { echo "$1/control"; }

# A value as an SQL text literal: backslashes and single quotes escaped, so that every value the
# scripts write into a statement stands for itself.
site_sql_string() {
  local v=${1//\\/\\\\}
  printf "'%s'" "${v//\'/\\\'}"
}
# A name (a database) as an SQL identifier.
site_sql_name() { printf '`%s`' "${1//\`/\`\`}"; }

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

# A folder of the service account: made (empty, so safely given away) when missing. One that
# belongs to someone else (an installation started by another user before) is given to the account
# whole; one that is the account's already is left as it is, never changed recursively.
site_account_dir() {
  local dir=$1 user=$2
  [ -L "$dir" ] && return 0  # a web host of a cluster shares its node's folder
  if [ ! -d "$dir" ]; then
    mkdir -m 0700 "$dir"
    [ "$(id -u)" = 0 ] && chown "$user:$user" "$dir"
  elif [ "$(id -u)" = 0 ] && [ "$(stat -c %U "$dir")" != "$user" ]; then
    chown -R "$user:$user" "$dir"
  fi
  chmod 0700 "$dir"
}

# A folder of root's own that the account may enter (and read where a file allows), or, started by
# another user, that user's. Earlier installations kept the logs in a folder of the account: it is
# moved aside, not taken over.
site_root_dir() {
  local dir=$1 user=$2
  if [ "$(id -u)" = 0 ] && [ -e "$dir" ] && [ "$(stat -c %U "$dir")" != root ]; then
    mv "$dir" "$dir.account-$(date +%s)"
  fi
  mkdir -p "$dir"
  site_root_owns "$dir" "$user"
}

# Makes DIR root's, which the account may enter; for another user, that user's alone.
site_root_owns() {
  if [ "$(id -u)" = 0 ]; then
    chown root:"$2" "$1" && chmod 0750 "$1"
  else
    chmod 0700 "$1"
  fi
}

# Writes standard input to a file of a root-owned folder through a new file and a rename, so that
# no reader ever sees half a file. MODE and, for root, GROUP (root when empty) set who may read it.
site_write_file() {
  local dest=$1 mode=$2 group=${3:-} tmp
  tmp=$(mktemp "$dest.new.XXXXXX") || return 1
  cat >"$tmp" && chmod "$mode" "$tmp" && { [ "$(id -u)" != 0 ] || chown "root:${group:-root}" "$tmp"; } \
    && mv -f "$tmp" "$dest" || { rm -f "$tmp"; return 1; }
}

# A file the service account writes into a root-owned folder (a server's log): made for it when
# missing; root then opens it, but it can never be a link, since only root makes entries there.
site_account_file() {
  local file=$1 user=$2
  [ -f "$file" ] && return 0
  if [ "$(id -u)" = 0 ]; then
    install -m 0640 -o "$user" -g "$user" /dev/null "$file"
  else
    install -m 0600 /dev/null "$file"
  fi
}

# var/ is private: only the service account (and, for root, nobody else but root) enters it. The
# servers' data folders belong to the service account; the site's static files and programs, the
# logs folder and the control folder do not.
site_private_dirs() {
  local var=$1 user dir
  user=$(site_service_user) || return 1
  mkdir -p "$var"
  site_root_owns "$var" "$user" || return 1
  for dir in run mysql mysql-files db_backup private; do site_account_dir "$var/$dir" "$user"; done
  site_root_dir "$var/control" "$user"
  site_root_dir "$var/log" "$user"
  site_forget_account_files "$var" "$user"
  if [ "$(id -u)" = 0 ] && [ -d "$var/site" ] && [ ! -L "$var/site" ]; then
    chown -R root:root "$var/site"
    [ -f "$var/site/data/counter.txt" ] && chown -h "$user:$user" "$var/site/data/counter.txt"
    runuser -u "$user" -- test -r "$var/site" 2>/dev/null || {
      echo "site: the service account $user cannot reach $var; place it where other users may enter every folder above it" >&2
      return 1
    }
  fi
  return 0
}

# Earlier installations kept root's files in the account's run folder: the account removes them
# itself, so that root follows none of its links.
site_forget_account_files() {
  local var=$1 user=$2 old=()
  for f in environment.conf staff.user lighttpd.conf lighttpd.pid mysqld.launcher.pid lighttpd.launcher.pid home; do
    [ -e "$var/run/$f" ] || [ -L "$var/run/$f" ] && old+=("$var/run/$f")
  done
  [ ${#old[@]} -eq 0 ] && return 0
  if [ "$(id -u)" = 0 ]; then runuser -u "$user" -- rm -rf -- "${old[@]}"; else rm -rf -- "${old[@]}"; fi
}

# Copies a file into place through a temporary name, so a running server never sees half a file.
site_install_file() {
  local src=$1 dest=$2 mode=$3
  cp -L "$src" "$dest.new.$$" && chmod "$mode" "$dest.new.$$" && mv -f "$dest.new.$$" "$dest"
}

site_layout() {
  local build var
  build=$(realpath "$1"); var=$(realpath -m "$2")
  mkdir -p "$var/site/cgi-bin" "$var/site/data"
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

# The database's administrator on the site's server. A client of root never loads a local file for
# the server, whatever answers on the socket (a folder of the account).
site_root_client() {
  mysql --no-defaults --local-infile=0 --socket="$(site_socket "$1")" -u"$(site_db_admin)" "${@:2}"
}

# Waits until COMMAND succeeds: true then, false once process PID has ended or after TENTHS tenths
# of a second.
site_wait_for() {
  local pid=$1 tenths=$2 i
  for i in $(seq 1 "$tenths"); do
    "${@:3}" >/dev/null 2>&1 && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# Waits until the database server answers, or fails after 30 seconds.
site_db_wait() {
  local var=$1 pid=$2
  site_wait_for "$pid" 300 mysqladmin --no-defaults --socket="$(site_socket "$var")" -u"$(site_db_admin)" ping \
    && return 0
  echo "site: the database server did not start; see $var/log/mysqld.err" >&2
  return 1
}

# A new data folder: root@localhost (and the starting user's own account) sign in by unix socket only.
site_db_install() {
  local var=$1 userflag=()
  [ "$(id -u)" = 0 ] && userflag=(--user="$(site_service_user)")
  mariadb-install-db --no-defaults --datadir="$var/mysql" --auth-root-authentication-method=socket \
    --auth-root-socket-user="$(site_db_admin)" --skip-test-db "${userflag[@]}" >"$var/log/install.log" 2>&1 \
    || { echo "site: mariadb-install-db failed; see $var/log/install.log" >&2; return 1; }
}

# Starts mariadbd on VAR_DIR's folders with the options every server of the site has, and the given
# ones; its process id goes to root's folder. Returns at once.
site_db_launch() {
  local var=$1 user userflag=()
  user=$(site_service_user) || return 1
  [ "$(id -u)" = 0 ] && userflag=(--user="$user")
  site_account_file "$var/log/mysqld.err" "$user"
  # No file can be read or written through the server outside its own empty folder; table names in
  # lower case (the searches name them so); the pages' Windows-1252.
  setsid mariadbd --no-defaults --datadir="$var/mysql" --socket="$(site_socket "$var")" \
    --secure-file-priv="$var/mysql-files" --pid-file="$var/run/mysqld.pid" \
    --lower-case-table-names=1 --character-set-server=latin1 --collation-server=latin1_swedish_ci \
    --innodb-buffer-pool-size=64M --log-error="$var/log/mysqld.err" "${userflag[@]}" "${@:2}" \
    </dev/null >>"$var/log/mysqld.out" 2>&1 &
  echo $! | site_write_file "$(site_control "$var")/mysqld.launcher.pid" 0644
}

# The tools (mysql, mysqldump) the programs start read ~/.my.cnf last: this home, readable by the
# account but written by root only, makes them find the site's socket.
site_tools_home() {
  local var=$1 user home
  user=$(site_service_user) || return 1
  home=$(site_control "$var")/home
  site_root_dir "$home" "$user"
  printf '[client]\nsocket=%s\n' "$(site_socket "$var")" | site_write_file "$home/.my.cnf" 0640 "$user"
}

site_db_start() {
  local var
  var=$(realpath -m "$1")
  site_private_dirs "$var" || return 1
  if [ ! -d "$var/mysql/mysql" ]; then site_db_install "$var" || return 1; fi
  site_tools_home "$var" || return 1
  site_db_launch "$var" --skip-networking "${@:2}" || return 1
  site_db_wait "$var" "$(cat "$(site_control "$var")/mysqld.launcher.pid")" || return 1
  site_db_secure "$var" || return 1
  site_db_setup "$var"
}

# An installation made before the database's administrator signed in by socket only had root
# without a password: that way in is closed here.
site_db_secure() {
  local var=$1 admin
  admin=$(site_sql_string "$(site_db_admin)")
  if ! site_root_client "$var" -e 'SELECT 1' >/dev/null 2>&1; then
    mysql --no-defaults --local-infile=0 --socket="$(site_socket "$var")" -uroot -e "
      CREATE USER IF NOT EXISTS $admin@'localhost' IDENTIFIED VIA unix_socket;
      GRANT ALL PRIVILEGES ON *.* TO $admin@'localhost' WITH GRANT OPTION;" \
      || { echo "site: cannot administer the database server as $(site_db_admin)" >&2; return 1; }
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
# The same for a single server and for a cluster (on its first node).
site_db_setup() {
  local var=$1 db name user pass
  db=$(site_db_name); name=$(site_sql_name "$db")
  user=$(site_sql_string "$(site_db_user)"); pass=$(site_sql_string "$(site_db_password)")
  site_root_client "$var" -e "CREATE DATABASE IF NOT EXISTS $name DEFAULT CHARACTER SET latin1;
    CREATE USER IF NOT EXISTS $user@'localhost' IDENTIFIED BY $pass;
    GRANT ALL PRIVILEGES ON $name.* TO $user@'localhost';" || return 1
  # the site account has rights on the library's database only (older installations had more)
  site_root_client "$var" -e "REVOKE PROCESS ON *.* FROM $user@'localhost';" 2>/dev/null || true
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

# Whether process PID runs PROGRAM (its executable's name) as the service account: a pid read from
# a file is signalled only then, so that no number written anywhere makes root stop another process.
site_pid_is() {
  local pid=$1 program=$2 exe ids
  [[ $pid =~ ^[1-9][0-9]*$ ]] || return 1
  exe=$(readlink "/proc/$pid/exe" 2>/dev/null) || return 1
  exe=${exe% (deleted)}  # an executable replaced since it started
  [ "${exe##*/}" = "$program" ] || return 1
  ids=$(awk '/^Uid:/ {print $2, $3}' "/proc/$pid/status" 2>/dev/null) || return 1
  local uid
  uid=$(id -u "$(site_service_user)") || return 1
  [ "$ids" = "$uid $uid" ]
}

# Stops process PID when it is PROGRAM of the service account: TERM, then KILL after WAIT tenths
# of a second. Never fails: a process that has gone already is stopped.
site_process_stop() {
  local pid=$1 program=$2 wait=$3 i
  site_pid_is "$pid" "$program" || return 0
  kill "$pid" 2>/dev/null || true
  for i in $(seq 1 "$wait"); do site_pid_is "$pid" "$program" || return 0; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null || true
}

# Stops PROGRAM, whose process id PIDFILE holds (see site_process_stop; WAIT defaults to 150).
# Removes the file.
site_pid_stop() {
  local pidfile=$1 program=$2 wait=${3:-150}
  [ -f "$pidfile" ] || return 0
  site_process_stop "$(head -c 32 "$pidfile" | tr -dc 0-9)" "$program" "$wait"
  rm -f "$pidfile"
}

site_db_stop() {
  local var
  var=$(realpath -m "$1")
  site_pid_stop "$(site_control "$var")/mysqld.launcher.pid" mariadbd
}

# Stops the automatic backup program that holds this site's run flag (started from its control
# panel), by the process id on the flag's first line; it would otherwise go on without a database.
site_autovault_stop() {
  local flag=$1/db_backup/runflag pid
  [ -f "$flag" ] || return 0
  pid=$(head -n 1 "$flag" | head -c 32 | tr -dc 0-9)
  site_process_stop "$pid" autovault.exe 50
}

# Stops everything of the site; each step runs whatever the one before did.
site_stop_all() {
  site_web_stop "$1" || true
  site_autovault_stop "$(realpath -m "$1")" || true
  site_db_stop "$1" || true
}

# The staff programs of programs/programs.txt, one name a line.
site_staff_programs() {
  awk '!/^#/ && $3 == "staff" { print $2 }' "$SITE_ROOT/programs/programs.txt"
}

# A port on 127.0.0.1 that nobody listens on now, below the kernel's range of ports for outgoing
# connections (ip_local_port_range, 32768-60999 by default), where no client connection takes it
# between now and the moment a server binds it.
site_free_port() {
  local candidate low high
  read -r high _ </proc/sys/net/ipv4/ip_local_port_range 2>/dev/null || high=32768
  high=$((high - 1))
  low=$((high > 21000 ? 20000 : 1024))
  for candidate in $(shuf -i "$low-$high" -n 50); do
    (exec 3<>"/dev/tcp/127.0.0.1/$candidate") 2>/dev/null || { echo "$candidate"; return 0; }
  done
  return 1
}

# The test sites: lays BUILD_DIR out in a fresh VAR_DIR, starts its database (log in VAR_DIR's
# parent as db_start.log) and lighttpd on AMBRY_TEST_PORT or a free port, trying another port when
# one is taken meanwhile. Sets SITE_PORT and SITE_URL (https:// when the web server speaks TLS).
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
    SITE_URL="$(site_web_scheme)://127.0.0.1:$SITE_PORT"
    site_web_start "$var" "$SITE_PORT" && return 0
    [ -n "${AMBRY_TEST_PORT:-}" ] && return 1
  done
  return 1
}

source "$SITE_ROOT/scripts/lib/site_web.sh"
