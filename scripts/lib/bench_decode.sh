# The cost of decoding a posted body of many short parameters ("p1=v&p2=v&..."): the CPU time of
# staff_login (which reads the body and touches no database) for the web server's 64 KB limit and
# for the decoder's own 1 MiB cap. Source it, then: bench_decode CGI_BIN_DIR WORK_DIR
bench_decode() {
  local bin=$1 work=$2 size body cpu
  mkdir -p "$work"
  for size in 65536 1048576; do
    body=$work/body-$size
    # head stops reading early, which ends the pipeline's writers: no failure under pipefail
    (set +o pipefail; seq 1 300000 | sed 's/.*/p&=v/' | paste -sd'&' | head -c "$size") >"$body"
    cpu=$(
      cd "$bin" || exit 1
      TIMEFORMAT=%3U+%3S
      { time env -i REQUEST_METHOD=POST CONTENT_LENGTH="$size" QUERY_STRING=lang=eng ./staff_login.exe \
        <"$body" >/dev/null; } 2>&1
    )
    printf '%8s bytes (%s parameters): %s s of CPU\n' "$size" "$(tr -cd '&' <"$body" | wc -c)" \
      "$(awk -v t="$cpu" 'BEGIN {split(t, a, "+"); printf "%.3f", a[1] + a[2]}')"
  done
}
