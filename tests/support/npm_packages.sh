# The npm packages of the tests that drive Chromium (the browser tests and the cross-site scripting
# attack): those tests/browser/package.json names, installed into tests/browser/node_modules by
# npm the first time a launcher needs them (npm reaches the registry then), and used from there.
# Source it, then: test_npm_packages (fails, saying why, when they are missing and cannot be had).
TEST_NPM_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/../browser" && pwd)

# The packages of package.json that node_modules lacks, one line.
test_npm_missing() {
  node -e 'const dir = process.argv[1]; const fs = require("node:fs");
    const wanted = Object.keys(require(`${dir}/package.json`).dependencies || {});
    console.log(wanted.filter((name) => !fs.existsSync(`${dir}/node_modules/${name}/package.json`)).join(" "))' \
    "$TEST_NPM_DIR"
}

test_npm_packages() {
  local missing
  command -v node >/dev/null && command -v npm >/dev/null \
    || { echo "the tests need node and npm (Debian: nodejs npm)" >&2; return 1; }
  missing=$(test_npm_missing) || return 1
  [ -z "$missing" ] && return 0
  echo "installing the npm packages $missing into $TEST_NPM_DIR/node_modules"
  (cd "$TEST_NPM_DIR" && npm install --no-audit --no-fund --loglevel=error) \
    || { echo "npm install failed in $TEST_NPM_DIR" >&2; return 1; }
}
