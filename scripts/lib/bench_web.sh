# The benchmark's web server: the site's lighttpd configuration plus /floor/, which runs the floor
# programs from the benchmark's own folder (they are never copied into the site).
# Source site.sh first, then: bench_floor_build BENCH_DIR, bench_web_start VAR_DIR PORT BENCH_DIR.

bench_floor_build() {
  local dir=$1 mariadb_flags
  mkdir -p "$dir"
  mariadb_flags=$(mariadb_config --cflags 2>/dev/null || echo -I/usr/include/mariadb)
  cc -O2 -o "$dir/floor_page.exe" "$SITE_ROOT/bench/floor_page.c" || return 1
  # shellcheck disable=SC2086
  cc -O2 $mariadb_flags -o "$dir/floor_db.exe" "$SITE_ROOT/bench/floor_db.c" -lmariadb || return 1
}

bench_web_start() {
  local var port dir
  var=$(realpath -m "$1"); port=$2; dir=$(realpath "$3")
  mkdir -p "$var/run" "$var/log"
  (umask 077 && printf 'staff:%s\n' "$(site_admin_password)" >"$var/run/staff.user")
  {
    site_web_conf "$var" "$port"
    printf 'server.modules += ( "mod_alias" )\n'
    printf 'alias.url = ( "/floor/" => %s )\n' "$(site_conf_string "$dir/")"
    printf '$HTTP["url"] =~ "^/floor/" {\n  cgi.assign = ( ".exe" => "" )\n}\n'
  } >"$var/run/lighttpd.conf"
  lighttpd -tt -f "$var/run/lighttpd.conf" >"$var/log/lighttpd-check.log" 2>&1 \
    || { cat "$var/log/lighttpd-check.log" >&2; return 1; }
  setsid lighttpd -D -f "$var/run/lighttpd.conf" </dev/null >>"$var/log/lighttpd.out" 2>&1 &
  echo $! >"$var/run/lighttpd.launcher.pid"
  local i pid=$!
  for i in $(seq 1 100); do
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && return 0
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "bench: lighttpd did not start; see $var/log/" >&2
  return 1
}
