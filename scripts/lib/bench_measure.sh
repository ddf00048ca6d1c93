# The benchmark's measurements: wrk runs against the site, instruction counts, peak memory and the
# catalogue search against the mysql client. Source it after site.sh; set BENCH_PORT, BENCH_SECONDS,
# BENCH_VAR (the installation) and BENCH_DIR (the benchmark's own folder) first.

# The environment the web server gives the programs (site_cgi_environment), for running them
# directly; worked out once, so that timed runs start no helper processes of their own.
mapfile -d '' -t BENCH_ENV < <(site_cgi_environment "$BENCH_VAR")
BENCH_MYSQL=(env MYSQL_PWD="$(site_db_password)" mysql --no-defaults
  --socket="$(site_socket "$BENCH_VAR")" --compress -u"$(site_db_user)" "$(site_db_name)")

# Signs in as a librarian, running staff_login as the web server would; the staff pages are then
# requested with the session's cookie (BENCH_COOKIE for wrk and curl, HTTP_COOKIE for direct runs).
bench_sign_in() {
  BENCH_COOKIE=$(bench_run_posted "$BENCH_VAR/site/cgi-bin/staff_login.exe" "password=$(site_admin_password)" \
    | sed -n 's/^Set-Cookie: \(ambry_staff=[0-9a-f]*\);.*/\1/p')
  [ -n "$BENCH_COOKIE" ] || { echo "bench: could not sign in at staff_login" >&2; return 1; }
  export BENCH_COOKIE
  BENCH_ENV+=("HTTP_COOKIE=$BENCH_COOKIE")
}

# One page fetched once: fails unless it answers 200 and its body holds the expected text.
bench_check_page() {
  local path=$1 body=$2 expect=$3 auth=${4:-} out args=(-s -o - -w '\n%{http_code}')
  [ -n "$body" ] && args+=(--data "$body")
  [ -n "$auth" ] && args+=(-b "$BENCH_COOKIE")
  out=$(curl "${args[@]}" "http://127.0.0.1:$BENCH_PORT$path") || return 1
  [ "${out##*$'\n'}" = 200 ] && [[ $out == *"$expect"* ]] && return 0
  echo "bench: $path did not answer as expected (status ${out##*$'\n'})" >&2
  return 1
}

# wrk at 8 connections on one page; prints requests/s, median and 99th percentile in ms.
bench_wrk() {
  local path=$1 body=$2 auth=${3:-} args=(-t2 -c8 -d"${BENCH_SECONDS}s" --latency --timeout 10s) out
  [ -n "$body$auth" ] && args+=(-s "$SITE_ROOT/bench/post.lua")
  out=$(BENCH_BODY=$body BENCH_STAFF=$auth wrk "${args[@]}" "http://127.0.0.1:$BENCH_PORT$path") || return 1
  if grep -q -e 'Non-2xx' -e 'Socket errors' <<<"$out"; then
    echo "bench: errors while measuring $path:" >&2
    grep -e 'Non-2xx' -e 'Socket errors' <<<"$out" >&2
  fi
  awk '/Requests\/sec:/ {rps = $2}
       function ms(v) { if (v ~ /us$/) return v / 1000; if (v ~ /ms$/) return v + 0;
                        if (v ~ /s$/) return v * 1000; return v }
       $1 == "50%" {p50 = ms($2)} $1 == "99%" {p99 = ms($2)}
       END {printf "%.1f %.2f %.2f\n", rps, p50, p99}' <<<"$out"
}

# Instructions executed by one program run from start to exit, counted by callgrind.
bench_instructions() {
  local program=$1 query=$2
  (cd "${program%/*}" && env -i "${BENCH_ENV[@]}" REQUEST_METHOD=GET QUERY_STRING="$query" \
     valgrind --tool=callgrind --callgrind-out-file=/dev/null "$program" 2>&1 >/dev/null </dev/null) \
    | awk '/Collected :/ {print $NF}'
}

# Runs a program as the web server would, with body posted on stdin; the page goes to stdout.
bench_run_posted() {
  local program=$1 body=$2
  shift 2
  (cd "${program%/*}" && env -i "${BENCH_ENV[@]}" REQUEST_METHOD=POST \
     CONTENT_TYPE=application/x-www-form-urlencoded CONTENT_LENGTH=${#body} QUERY_STRING= \
     "$@" "$program" <<<"$body")
}

# Runs a program as the web server runs a plain link: the query in the URL, nothing posted.
bench_run_get() {
  local program=$1 query=$2
  (cd "${program%/*}" && env -i "${BENCH_ENV[@]}" REQUEST_METHOD=GET QUERY_STRING="$query" "$program" </dev/null)
}

# Peak memory of one posted run: "page-bytes peak-heap-bytes max-rss-kilobytes".
bench_peak_memory() {
  local program=$1 body=$2 page heap rss
  page=$(bench_run_posted "$program" "$body" | wc -c)
  bench_run_posted "$program" "$body" valgrind --tool=massif --massif-out-file="$BENCH_DIR/massif.out" \
    >/dev/null 2>&1
  heap=$(awk -F= '/^mem_heap_B=/ {h = $2} /^mem_heap_extra_B=/ {t = h + $2; if (t > max) max = t}
                  END {print max + 0}' "$BENCH_DIR/massif.out")
  rss=$( { bench_run_posted "$program" "$body" /usr/bin/time -f '%M' >/dev/null; } 2>&1 | tail -1)
  echo "$page $heap $rss"
}

# Two commands run n times each, taking turns so that changing load elsewhere falls on both alike;
# prints the mean milliseconds of one run of each.
bench_alternate_ms() {
  local n=$1 first=$2 second=$3 i t0 t1 t2 sum1=0 sum2=0
  for ((i = 0; i < n; i++)); do
    t0=$(date +%s%N)
    "$first" >/dev/null 2>&1
    t1=$(date +%s%N)
    "$second" >/dev/null 2>&1
    t2=$(date +%s%N)
    sum1=$((sum1 + t1 - t0))
    sum2=$((sum2 + t2 - t1))
  done
  awk -v a="$sum1" -v b="$sum2" -v n="$n" 'BEGIN {printf "%.2f %.2f\n", a / n / 1e6, b / n / 1e6}'
}

# The mysql client on the same statement, started like the page: from a subshell through env.
bench_mysql_client() {
  ("${BENCH_MYSQL[@]}" -e "$1")
}
