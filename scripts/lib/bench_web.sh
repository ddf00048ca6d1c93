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
  site_web_prepare "$var"
  {
    site_web_conf "$var" "$port"
    printf 'server.modules += ( "mod_alias" )\n'
    printf 'alias.url = ( "/floor/" => %s )\n' "$(site_conf_string "$dir/")"
    printf '$HTTP["url"] =~ "^/floor/" {\n  cgi.assign = ( ".exe" => "" )\n}\n'
  } | site_write_file "$(site_control "$var")/lighttpd.conf" 0600
  site_web_launch "$var" "$port"
}
