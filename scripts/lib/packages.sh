# Installs missing Debian packages when run as root; otherwise names them and fails.
# Usage: source it, then: ensure_packages pkg...
ensure_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" != 0 ]; then
    echo "Missing Debian packages; install them with:" >&2
    echo "  sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
    return 1
  fi
  echo "Installing: ${missing[*]}"
  if [ -z "${AMBRY_APT_UPDATED:-}" ]; then
    DEBIAN_FRONTEND=noninteractive apt-get update -qq
    export AMBRY_APT_UPDATED=1
  fi
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# What building and testing the product needs. The catalogue's record library is built on YAZ
# (with libxml2 and ICU, which it calls too); its tests write MARC files with yaz-marcdump and ask
# yaz-ztest, from the package yaz.
BUILD_PACKAGES=(g++ make cmake libgtest-dev libmariadb-dev mariadb-server mariadb-client libyaz-dev libxml2-dev
  libicu-dev yaz)

# What serving the site needs beyond the build (scripts/serve, the browser tests): HTTPS included.
SITE_PACKAGES=(lighttpd lighttpd-mod-openssl openssl mariadb-server mariadb-client)

# What the fuzz targets need: clang with libFuzzer and the sanitizer runtimes.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)

# What the attack tests need beyond serving the site: sqlmap, and Chromium with node for the browser.
SECURITY_PACKAGES=(sqlmap chromium nodejs)

# What the cluster tests and `scripts/serve --cluster` need: the Galera provider and its state transfer.
CLUSTER_PACKAGES=(galera-4 rsync)

# Tests install no Debian package: a missing tool fails with the package that brings it. (The one
# thing a test launcher installs is the npm packages of the browser tests: tests/support/npm_packages.sh.)
require_tool() {
  local tool=$1 package=$2
  command -v "$tool" >/dev/null && return 0
  echo "missing $tool: install the Debian package $package (scripts/test --all installs it)" >&2
  return 1
}
