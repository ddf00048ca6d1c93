# Starts the built site for an attack test: a throwaway var dir inside the work dir, a fresh
# database with the sample data, lighttpd on a free private port; stops everything when the
# sourcing script exits, also on failure.
# Source it after setting build and work, then call: security_site_up
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/site.sh"

# Sets var, port and base; exits the calling script when the site cannot start.
security_site_up() {
  var=$work/var
  trap 'site_stop_all "$var"' EXIT
  trap 'exit 143' TERM INT HUP
  unset AMBRY_ADMIN_PASSWORD AMBRY_NO_SAMPLE_DATA BIND TLS TLS_CERT TLS_KEY TLS_PROXY HTTP_PORT
  # sqlmap sends thousands of wrong passwords from one address: the guess limit must not hide the
  # database from it
  export AMBRY_THROTTLE_LIMIT=${AMBRY_THROTTLE_LIMIT:-1000000000}
  site_private_start "$build" "$var" || exit 1
  port=$SITE_PORT
  base=$SITE_URL
  echo "site running at $base/ (data in $var)"
}

# One check of an attack test: "ok" or "FAILED" and what; a failure sets failed=1.
failed=0
check() {
  local what=$1
  shift
  if "$@" >/dev/null 2>&1; then echo "ok      $what"; else echo "FAILED  $what"; failed=1; fi
}

# Signs in at staff_login with the staff password, read from a private file; the session cookie
# lands in the cookie file given (curl's, which sqlmap also reads).
security_sign_in() {
  local jar=$1 form
  form=$(dirname "$jar")/signin.txt
  (umask 077 && printf 'password=%s' "$(site_admin_password)" >"$form")
  curl -sk -o /dev/null -c "$jar" --data-binary @"$form" "$base/cgi-bin/staff_login.exe?lang=eng"
  grep -q ambry_staff "$jar" 2>/dev/null
}
