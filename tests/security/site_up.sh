# Starts the built site for an attack test: a throwaway var dir inside the work dir, a fresh
# database with the sample data, lighttpd on a free private port; stops everything when the
# sourcing script exits, also on failure.
# Source it after setting build and work, then call: security_site_up
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/site.sh"

security_free_port() {
  local candidate
  for candidate in $(shuf -i 30000-39999 -n 50); do
    (exec 3<>"/dev/tcp/127.0.0.1/$candidate") 2>/dev/null || { echo "$candidate"; return 0; }
  done
  return 1
}

# Sets var, port and base; exits the calling script when the site cannot start.
security_site_up() {
  var=$work/var
  site_stop_all "$var" 2>/dev/null
  rm -rf "$var"
  mkdir -p "$work"
  trap 'site_stop_all "$var"' EXIT
  trap 'exit 143' TERM INT HUP
  unset AMBRY_ADMIN_PASSWORD AMBRY_NO_SAMPLE_DATA
  # sqlmap sends thousands of wrong passwords from one address: the guess limit must not hide the
  # database from it
  export AMBRY_THROTTLE_LIMIT=${AMBRY_THROTTLE_LIMIT:-1000000000}
  port=${AMBRY_TEST_PORT:-$(security_free_port)} || { echo "no free port" >&2; exit 1; }
  site_layout "$build" "$var" || exit 1
  site_db_start "$var" >"$work/db_start.log" 2>&1 || { cat "$work/db_start.log"; exit 1; }
  site_web_start "$var" "$port" || exit 1
  base=http://127.0.0.1:$port
  echo "site running at $base/ (data in $var)"
}
