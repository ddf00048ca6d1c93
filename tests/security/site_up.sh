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
  unset AMBRY_ADMIN_PASSWORD AMBRY_NO_SAMPLE_DATA
  # sqlmap sends thousands of wrong passwords from one address: the guess limit must not hide the
  # database from it
  export AMBRY_THROTTLE_LIMIT=${AMBRY_THROTTLE_LIMIT:-1000000000}
  site_private_start "$build" "$var" || exit 1
  port=$SITE_PORT
  base=http://127.0.0.1:$port
  echo "site running at $base/ (data in $var)"
}
