#!/usr/bin/env bash
# Attacks every request parameter of the member programs, the staff editors and the control panel
# with sqlmap against the running site on a private port and a throwaway database; fails when sqlmap
# finds any parameter injectable, or when a run does not finish or does not test a parameter. The
# staff programs are attacked with a librarian's session, from private request files.
# Usage: sqlmap_run.sh BUILD_DIR WORK_DIR   (logs land in WORK_DIR/sqlmap)
# AMBRY_SQLMAP_JOBS runs that many sqlmap processes at once (default 6); AMBRY_SQLMAP_ONLY=name
# runs only the targets whose name contains it; AMBRY_SQLMAP_TECHNIQUES replaces every target's
# techniques (see sqlmap_targets.txt).
set -uo pipefail
build=$(realpath "$1")
work=$(realpath -m "$2")
here=$(cd "$(dirname "$0")" && pwd)
for tool in sqlmap lighttpd mariadbd timeout; do
  command -v "$tool" >/dev/null || { echo "sqlmap test needs $tool (Debian: sqlmap lighttpd mariadb-server)" >&2; exit 1; }
done
source "$here/site_up.sh"
security_site_up
site_root_client "$var" "$(site_db_name)" <"$here/sqlmap_rows.sql" || { echo "probe rows not stored" >&2; exit 1; }
# The probe member's own card: shown only when a request reaches the database past the guess limit.
probe_card_shown() {
  # the whole page first: grep -q leaving early would fail curl, and so the pipeline
  grep -q '1 Probe Street' <<<"$(curl -s --data 'memberid=9901&password=probepass' "$base/cgi-bin/patron_card.exe?lang=eng")"
}
probe_card_shown || { echo "patron_card does not show the probe member's card" >&2; exit 1; }
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; site_stop_all "$var"' EXIT

out=$work/sqlmap
rm -rf "$out"
mkdir -p "$out/home"
# The staff programs are reached with a librarian's session: signed in through staff_login, its
# cookie kept in a private file that sqlmap loads (never a password or a cookie on a command line).
cookies=$out/staff.cookies
staff_session_open() {
  ! grep -q signin_password <<<"$(curl -s -b "$cookies" "$base/cgi-bin/book_editor.exe?lang=eng")"
}
security_sign_in "$cookies" && staff_session_open || { echo "cannot sign in at staff_login" >&2; exit 1; }
jobs=${AMBRY_SQLMAP_JOBS:-6}
started=$(date +%s)

# A staff program's request with the librarian's session, as a private request file for sqlmap.
staff_request() {
  local name=$1 program=$2 body=$3 file=$out/requests/$1.http
  (
    umask 077
    mkdir -p "$out/requests"
    printf 'POST /cgi-bin/%s HTTP/1.1\nHost: %s\nCookie: %s\nContent-Type: application/x-www-form-urlencoded\n\n%s\n' \
      "$program" "${base#*://}" "$(awk '$6 == "ambry_staff" { printf "ambry_staff=%s", $7 }' "$cookies")" "$body" >"$file"
  )
  echo "$file"
}

# One sqlmap run against one target; its whole output goes to out/NAME.log.
attack() {
  local name=$1 program=$2 body=$3 params=$4 techniques=${AMBRY_SQLMAP_TECHNIQUES:-$5} extra=() target
  [ -n "$6" ] && [ -z "${AMBRY_SQLMAP_TECHNIQUES:-}" ] && extra+=($6)
  if site_staff_programs | grep -qx "${program%%.exe*}"; then
    target=(-r "$(staff_request "$name" "$program" "$body")" --ignore-stdin --drop-set-cookie)
  else
    target=(-u "$base/cgi-bin/$program" --data="$body")
  fi
  HOME=$out/home timeout --foreground -k 10 1500 sqlmap "${target[@]}" \
    -p "$params" "${extra[@]}" --batch --level=3 --risk=2 --dbms=MySQL --technique="$techniques" \
    --time-sec=1 --timeout=20 --retries=2 --threads=2 --flush-session --skip-waf \
    --disable-coloring --output-dir="$out/session" </dev/null >"$out/$name.log" 2>&1
  echo "exit status $?" >>"$out/$name.log"
}

# The sqlmap runs of ours still going (the servers are background jobs of this shell too).
running() {
  local n=0 pid
  for pid in "${pids[@]}"; do kill -0 "$pid" 2>/dev/null && n=$((n + 1)); done
  echo "$n"
}

names=()
while IFS='|' read -r name program body params techniques options; do
  case $name in ''|'#'*) continue ;; esac
  [ -n "${AMBRY_SQLMAP_ONLY:-}" ] && [[ $name != *"$AMBRY_SQLMAP_ONLY"* ]] && continue
  names+=("$name")
  printf '%s|%s\n' "$name" "$params" >>"$out/expected.txt"
  while [ "$(running)" -ge "$jobs" ]; do sleep 1; done
  attack "$name" "$program" "$body" "$params" "$techniques" "$options" &
  pids+=($!)
done <"$here/sqlmap_targets.txt"
wait "${pids[@]}" 2>/dev/null

# Judges every run: any finding fails, and so does a run that did not test all its parameters.
failed=0
found=0
while IFS='|' read -r name params; do
  log=$out/$name.log
  problems=()
  if grep -qiE "identified the following injection point|is vulnerable|might be injectable|might be vulnerable to (cross-site scripting|file inclusion)" "$log"; then
    problems+=("FINDING: $(grep -iE "identified the following injection point|is vulnerable|might be injectable|might be vulnerable to" "$log" | head -3 | tr '\n' ' ')")
    found=1
  fi
  IFS=, read -ra wanted <<<"$params"
  for p in "${wanted[@]}"; do
    grep -q "parameter '$p' does not seem to be injectable" "$log" \
      || problems+=("parameter $p was not tested to the end")
  done
  grep -q "^exit status 0$" "$log" || problems+=("sqlmap ended with $(tail -1 "$log")")
  if [ ${#problems[@]} -eq 0 ]; then
    echo "ok      $name ($params)"
  else
    failed=$((failed + 1))
    echo "FAILED  $name: ${problems[*]}  (log: $log)"
  fi
done <"$out/expected.txt"

# After thousands of wrong passwords from this address, the probes must still have reached the rows.
# A machine busy with other tests may drop one request, so the card gets a few tries.
card_after_attack() {
  local try
  for try in 1 2 3 4 5; do
    probe_card_shown && return 0
    echo "the probe member's card was not shown (try $try)"
    sleep 2
  done
  return 1
}
if ! card_after_attack; then
  echo "FAILED  patron_card no longer shows the probe member's card; it shows:"
  curl -s --data 'memberid=9901&password=probepass' "$base/cgi-bin/patron_card.exe?lang=eng" | sed 's/<[^>]*>//g' | grep . | head -20
  echo "the probe member's row, and the guess counts:"
  site_root_client "$var" "$(site_db_name)" -e 'SELECT * FROM MEMBER WHERE id = 9901; SELECT * FROM PASSWORDGUESS'

  failed=$((failed + 1))
fi

# The staff targets were attacked behind the door only while the session held.
if ! staff_session_open; then
  echo "FAILED  the staff session ended during the run: the staff programs were not reached"
  failed=$((failed + 1))
fi

total=${#names[@]}
echo "sqlmap: $((total - failed)) of $total targets passed, $failed failed, in $(( $(date +%s) - started )) s"
[ "$found" = 0 ] || echo "sqlmap found injectable parameters: see the FINDING lines above"
[ "$failed" = 0 ]
