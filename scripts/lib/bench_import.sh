# The catalogue import under the benchmark's catalogue: N MARC records (about 1 KB each, MARC-8,
# written by yaz-marcdump) previewed and imported by the catalogue program run as the web server
# runs it, with the wall time and peak resident memory of each step (/usr/bin/time), and one
# attempt of the guarded insert timed on its own (what a retry on a cluster costs). The books are
# taken out again afterwards, so the generated catalogue stays as bench_data_load made it.
# Source it after bench_measure.sh, then: bench_import BUILD_DIR CGI_BIN_DIR WORK_DIR RECORDS

# N records as MARCXML (UTF-8): valid ISBN-13s, prices in rand, Dewey numbers, Afrikaans letters,
# and a summary that brings each record to about 1 KB.
bench_import_marcxml() {
  awk -v n="$1" 'BEGIN {
    summary = "Hierdie boek vertel van die Karoo, sy mense en hul stories; " \
      "dit is geskryf vir lesers wat die veld en die stilte daarvan ken. "
    while (length(summary) < 700) summary = summary summary
    summary = substr(summary, 1, 700)
    print "<collection xmlns=\"http://www.loc.gov/MARC21/slim\">"
    for (i = 1; i <= n; i++) {
      twelve = sprintf("978%09d", 500000000 + i)
      sum = 0
      for (k = 1; k <= 12; k++) sum += substr(twelve, k, 1) * (k % 2 ? 1 : 3)
      isbn = twelve (10 - sum % 10) % 10
      printf "<record><leader>00000nam a2200000 a 4500</leader>"
      printf "<controlfield tag=\"001\">bench%06d</controlfield>", i
      printf "<datafield tag=\"020\" ind1=\" \" ind2=\" \"><subfield code=\"a\">%s (pbk.)</subfield>", isbn
      printf "<subfield code=\"c\">R%d.%02d</subfield></datafield>", 50 + i % 400, i % 100
      printf "<datafield tag=\"082\" ind1=\"0\" ind2=\"4\"><subfield code=\"a\">%03d.%d</subfield></datafield>", i % 1000, i % 97
      printf "<datafield tag=\"100\" ind1=\"1\" ind2=\" \"><subfield code=\"a\">Brink, Andr\303\251 %d,</subfield></datafield>", i
      printf "<datafield tag=\"245\" ind1=\"1\" ind2=\"0\"><subfield code=\"a\">Kreeftige M\303\264re %d :</subfield>", i
      printf "<subfield code=\"b\">\342\200\231n roman /</subfield></datafield>"
      printf "<datafield tag=\"260\" ind1=\" \" ind2=\" \"><subfield code=\"a\">Kaapstad :</subfield>"
      printf "<subfield code=\"b\">Human &amp; Rousseau,</subfield><subfield code=\"c\">%d.</subfield></datafield>", 1950 + i % 70
      printf "<datafield tag=\"520\" ind1=\" \" ind2=\" \"><subfield code=\"a\">%s</subfield></datafield>", summary
      print "</record>"
    }
    print "</collection>"
  }'
}

# Runs the catalogue program once with a body on standard input; prints "seconds peak-KiB" to the
# file named by the first argument and the page to standard output.
bench_import_run() {
  local figures=$1 body=$2 type=$3
  (cd "$bench_import_bin" && env -i "${BENCH_ENV[@]}" REQUEST_METHOD=POST QUERY_STRING=lang=eng \
     CONTENT_TYPE="$type" CONTENT_LENGTH="$(stat -c %s "$body")" \
     /usr/bin/time -o "$figures" -f '%e %M' ./catalogue.exe <"$body")
}

bench_import() {
  local build bin=$2 work=$3 records=$4 file body token books before last figures seconds kib added
  build=$(realpath "$1")
  bench_import_bin=$bin
  mkdir -p "$work"
  file=$work/records-$records.mrc
  if [ ! -s "$file" ]; then
    bench_import_marcxml "$records" >"$work/records.xml"
    yaz-marcdump -i marcxml -o marc -f UTF-8 -t MARC-8 -l 9=32 "$work/records.xml" >"$file"
    rm -f "$work/records.xml"
  fi
  body=$work/upload-body
  {
    printf -- '--benchBoundary\r\nContent-Disposition: form-data; name="file"; filename="records.mrc"\r\n'
    printf 'Content-Type: application/octet-stream\r\n\r\n'
    cat "$file"
    printf '\r\n--benchBoundary--\r\n'
  } >"$body"
  read -r before last < <("${BENCH_MYSQL[@]}" -N -e 'SELECT COUNT(*), MAX(id) FROM BOOK')
  printf 'file: %s records, %s bytes (MARC-8 ISO 2709, yaz-marcdump); catalogue: %s books\n' \
    "$records" "$(stat -c %s "$file")" "$before"
  token=$(bench_import_run "$work/preview.time" "$body" "multipart/form-data; boundary=benchBoundary" \
    | grep -o 'name="upload" value="[0-9a-f]*"' | head -1 | sed 's/.*value="\(.*\)"/\1/')
  [ -n "$token" ] || { echo "bench: the preview of the import held no file" >&2; return 1; }
  printf 'cmd=15&upload=%s&condition=8&duplicates=copies' "$token" >"$work/confirm-body"
  bench_import_run "$work/import.time" "$work/confirm-body" application/x-www-form-urlencoded >/dev/null
  books=$("${BENCH_MYSQL[@]}" -N -e 'SELECT COUNT(*) FROM BOOK')
  for figures in preview import; do
    read -r seconds kib <"$work/$figures.time"
    printf '%-8s %7s s, peak resident %7s KiB (%s times the file)\n' "$figures" "$seconds" "$kib" \
      "$(awk -v k="$kib" -v f="$(stat -c %s "$file")" 'BEGIN {printf "%.2f", k * 1024 / f}')"
  done
  printf 'books after the import: %s (%s added; the import includes its restore point of the catalogue)\n' \
    "$books" "$((books - before))"
  # The import's books and restore point go: the generated catalogue stays as it was.
  "${BENCH_MYSQL[@]}" -e "DELETE FROM BOOK WHERE id > $last"
  find "$BENCH_VAR/db_backup" -name '*.bak' -newer "$body" -delete
  # One attempt of the guarded insert, alone: what a conflict on a cluster makes it run again.
  g++ -std=c++17 -O2 -I"$SITE_ROOT" -I/usr/include/mariadb -o "$work/insert_books" "$SITE_ROOT/bench/insert_books.cpp" \
    "$build/keystone/libkeystone.a" -L"$build/ambry" -lambry -Wl,-rpath,"$build/ambry" || return 1
  read -r added seconds < <(cd "$bin" && env -i "${BENCH_ENV[@]}" "$work/insert_books" "$records" 2>&1 >/dev/null)
  printf 'one attempt of the guarded insert of %s books (what a retry costs): %s s\n' "$added" "$seconds"
}
