# Shared steps of the reliability tests: a private site on a free port with a throwaway database,
# staff and member requests, page checks and SQL against that database. Source it.
#   rel_site_start BUILD_DIR WORK_DIR   lays out and starts the site, signs in as a librarian; sets
#                                       REL_VAR, REL_PORT, REL_URL, REL_COOKIES, REL_COOKIE_FILE
#   rel_site_stop                       stops the web server, the database and any autovault started
REL_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$REL_HERE/../../scripts/lib/site.sh"

REL_FOOTER=$'</main>\n</body>\n</html>'
REL_FAILURES=0

rel_fail() { echo "FAIL: $*" >&2; REL_FAILURES=$((REL_FAILURES + 1)); }
rel_pass() { echo "ok: $*"; }
rel_check() {  # rel_check "what" command...: passes when the command succeeds
  local what=$1; shift
  if "$@"; then rel_pass "$what"; else rel_fail "$what"; fi
}

rel_site_start() {
  local build work
  build=$(realpath "$1"); work=$(realpath -m "$2")
  REL_VAR=$work/var
  site_stop_all "$REL_VAR" 2>/dev/null
  rel_unmount_backup 2>/dev/null
  unset AMBRY_ADMIN_PASSWORD
  export AMBRY_NO_SAMPLE_DATA=1
  site_private_start "$build" "$REL_VAR" || return 1
  REL_PORT=$SITE_PORT
  REL_URL=$SITE_URL
  echo "site at $REL_URL (data in $REL_VAR)"
  rel_sign_in "$work"
}

# Signs in as a librarian does, through staff_login; the session's cookie stays in a private file
# (REL_COOKIES, curl's cookie jar) and REL_COOKIE_FILE ("ambry_staff=..."), never on a command line.
rel_sign_in() {
  local work=$1
  REL_COOKIES=$work/staff.cookies
  REL_COOKIE_FILE=$work/staff.cookie
  (
    umask 077
    printf 'password=%s' "$(site_admin_password)" >"$work/signin.txt"
    rm -f "$REL_COOKIES"
    curl -s -o /dev/null -c "$REL_COOKIES" --data-binary @"$work/signin.txt" "$REL_URL/cgi-bin/staff_login.exe?lang=eng"
    awk '$6 == "ambry_staff" { printf "ambry_staff=%s", $7 }' "$REL_COOKIES" >"$REL_COOKIE_FILE"
  )
  [ -s "$REL_COOKIE_FILE" ] || { echo "reliability: could not sign in at staff_login" >&2; return 1; }
}

# Stops an autovault that holds the run flag of this site.
rel_stop_autovault() { site_autovault_stop "$REL_VAR"; }

rel_unmount_backup() {
  mountpoint -q "$REL_VAR/db_backup" 2>/dev/null && umount "$REL_VAR/db_backup"
  return 0
}

rel_site_stop() {
  [ -n "${REL_VAR:-}" ] || return 0
  rel_stop_autovault
  rel_unmount_backup
  site_stop_all "$REL_VAR"
}

rel_sql() { site_root_client "$REL_VAR" -N -B "$(site_db_name)" -e "$1"; }

# rel_post PROGRAM BODY [curl options...]: the page on stdout; the status in $REL_STATUS_FILE.
REL_STATUS_FILE=$(mktemp /tmp/reliability-status.XXXXXX)
rel_post() {
  local program=$1 body=$2; shift 2
  curl -s -m 30 -o - -w '%{http_code}' -b "$REL_COOKIES" --data-binary "$body" "$@" \
    "$REL_URL/cgi-bin/$program.exe?lang=eng" >"$REL_STATUS_FILE.page"
  local all; all=$(cat "$REL_STATUS_FILE.page"; echo x); all=${all%x}
  printf '%s' "${all: -3}" >"$REL_STATUS_FILE"
  printf '%s' "${all:0:${#all}-3}"
}
rel_status() { cat "$REL_STATUS_FILE"; }

# True when a page ends with the footer.
rel_complete_page() { [[ "$1" == *"$REL_FOOTER" || "$1" == *"$REL_FOOTER"$'\n' ]]; }

# Fails when the web server saw a program end by a signal (a crash after its page was written
# would otherwise pass unnoticed).
rel_check_no_crash() {
  local log=$REL_VAR/log/lighttpd-error.log crashes
  crashes=$(grep -c "died with signal" "$log" 2>/dev/null)
  rel_check "no program ended by a signal under the web server (${crashes:-0})" [ "${crashes:-0}" = 0 ]
  [ "${crashes:-0}" = 0 ] || grep "died with signal" "$log" | head -5 >&2
}
