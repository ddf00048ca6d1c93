# The site's web server: lighttpd's configuration (TLS, a trusted proxy, connection headroom), its
# start and its stop. Sourced by site.sh. Settings from the environment:
#   BIND       the address to listen on (default 127.0.0.1)
#   TLS_CERT, TLS_KEY   a certificate (with its chain) and its key, PEM: the site speaks HTTPS only
#   TLS=1      HTTPS even on loopback (with a self-signed pair when no certificate is given)
#   TLS_PROXY  the address of a TLS proxy in front that is trusted: the site speaks plain HTTP to
#              it, and takes the client's address and scheme from its X-Forwarded-For and
#              X-Forwarded-Proto (from any other address those headers are ignored)
#   HTTP_PORT  with HTTPS, a plain-HTTP port that only redirects to the HTTPS port
# Listening on anything but loopback without a certificate or a proxy, the site makes a self-signed
# pair under VAR_DIR/control/tls and says so.

# Whether an address is one of this machine's loopback addresses (127.0.0.0/8, ::1, localhost),
# compared as an address, not as text: "127.0.0.1.example" is a name like any other.
site_is_loopback() {
  local address=${1#[}
  address=${address%]}
  [ "$address" = localhost ] && return 0
  if [[ $address =~ ^([0-9]{1,3})\.([0-9]{1,3})\.([0-9]{1,3})\.([0-9]{1,3})$ ]]; then
    local part
    for part in "${BASH_REMATCH[@]:1}"; do [ $((10#$part)) -le 255 ] || return 1; done
    [ $((10#${BASH_REMATCH[1]})) = 127 ]
    return
  fi
  # IPv6: every group 0 but the last, which is 1, however it is written ("::1", "0:0:0:0:0:0:0:1").
  [[ $address =~ ^[0-9A-Fa-f:]+$ ]] || return 1
  local head=${address%%::*} tail="" groups=() g
  [[ $address == *::* ]] && tail=${address#*::}
  [[ $tail == *::* ]] && return 1
  IFS=: read -ra groups <<<"$head"
  local before=${#groups[@]}
  local after=()
  [ -n "$tail" ] && IFS=: read -ra after <<<"$tail"
  if [[ $address == *::* ]]; then
    [ $((before + ${#after[@]})) -le 7 ] || return 1
    while [ ${#groups[@]} -lt $((8 - ${#after[@]})) ]; do groups+=(0); done
    groups+=("${after[@]}")
  fi
  [ ${#groups[@]} = 8 ] || return 1
  for g in "${groups[@]:0:7}"; do [[ $g =~ ^0{1,4}$ ]] || return 1; done
  [[ ${groups[7]} =~ ^0{0,3}1$ ]]
}

site_bind() { echo "${BIND:-127.0.0.1}"; }

# How the site speaks to the network: "given" (HTTPS with TLS_CERT and TLS_KEY), "self-signed"
# (HTTPS with a pair made here), "proxy" (plain HTTP behind TLS_PROXY) or "plain" (loopback only).
site_tls_mode() {
  if [ -n "${TLS_CERT:-}${TLS_KEY:-}" ]; then
    echo given
  elif [ -n "${TLS_PROXY:-}" ]; then
    echo proxy
  elif [ "${TLS:-}" = 1 ] || ! site_is_loopback "$(site_bind)"; then
    echo self-signed
  else
    echo plain
  fi
}

# The scheme of the site's own port.
site_web_scheme() {
  case $(site_tls_mode) in given | self-signed) echo https ;; *) echo http ;; esac
}

# A value as a lighttpd string literal.
site_conf_string() {
  local v=${1//\\/\\\\}
  printf '"%s"' "${v//\"/\\\"}"
}

# The certificate and key lighttpd reads (as root, before it gives up root): the given ones, or a
# self-signed pair in root's folder, made when missing or about to expire. Prints "CERT KEY".
site_tls_pair() {
  local var=$1
  if [ "$(site_tls_mode)" = given ]; then
    local f
    for f in "${TLS_CERT:-}" "${TLS_KEY:-}"; do
      [ -n "$f" ] && [ -r "$f" ] || { echo "site: TLS_CERT and TLS_KEY must both name readable PEM files" >&2; return 1; }
    done
    echo "$(realpath "$TLS_CERT") $(realpath "$TLS_KEY")"
    return 0
  fi
  local dir
  dir=$(site_control "$var")/tls
  mkdir -p "$dir" && chmod 0700 "$dir"
  if ! openssl x509 -checkend $((30 * 86400)) -noout -in "$dir/cert.pem" >/dev/null 2>&1; then
    local name
    name=$(hostname -f 2>/dev/null || hostname)
    (
      umask 077
      openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 365 \
        -subj "/CN=$name" -addext "subjectAltName=DNS:$name,DNS:localhost,IP:127.0.0.1" \
        -keyout "$dir/key.pem.new" -out "$dir/cert.pem.new" >/dev/null 2>&1
    ) || { echo "site: openssl could not make a self-signed pair" >&2; return 1; }
    mv -f "$dir/key.pem.new" "$dir/key.pem" && mv -f "$dir/cert.pem.new" "$dir/cert.pem" || return 1
    cat >&2 <<EOF

  *** HTTPS WITH A SELF-SIGNED CERTIFICATE ***
  The site listens on $(site_bind) without a certificate of its own, so it made one that no browser
  trusts: $dir/cert.pem
  Visitors see a warning until you give it a real certificate and restart:
    TLS_CERT=/path/fullchain.pem TLS_KEY=/path/privkey.pem BIND=$(site_bind) scripts/serve
  or run it behind a TLS proxy you trust: TLS_PROXY=<the proxy's address>.

EOF
  fi
  echo "$dir/cert.pem $dir/key.pem"
}

# File descriptors lighttpd may use: the hard limit, which root may raise first, up to 65536. One
# client holding thousands of slow connections then still leaves room for everyone else.
site_web_fds() {
  local limit
  limit=$( { [ "$(id -u)" != 0 ] || ulimit -Hn 65536 || true; } 2>/dev/null; ulimit -Hn )
  [ "$limit" = unlimited ] || [ "$limit" -gt 65536 ] && limit=65536
  echo "$limit"
}

# The TLS part of the configuration: HTTPS on the site's port (plain HTTP there gets no page, since
# the server cannot answer it), HSTS (short for a self-signed pair, which one may still replace by a
# real one, long for a given certificate), and the optional plain port that only redirects.
site_web_tls_conf() {
  local var=$1 port=$2 pair cert key age
  pair=$(site_tls_pair "$var") || return 1
  cert=${pair% *}; key=${pair#* }
  age=31536000
  [ "$(site_tls_mode)" = self-signed ] && age=300
  printf 'server.modules += ( "mod_openssl" )\n'
  printf 'ssl.engine = "enable"\nssl.pemfile = %s\nssl.privkey = %s\n' "$(site_conf_string "$cert")" \
    "$(site_conf_string "$key")"
  printf '$HTTP["scheme"] == "https" {\n  setenv.add-response-header += ( "Strict-Transport-Security" => "max-age=%s" )\n}\n' "$age"
  [ -n "${HTTP_PORT:-}" ] || return 0
  local bind
  bind=$(site_bind)
  [[ $bind == *:* ]] && bind="[$bind]"
  # The host the visitor asked for, without its port, and the HTTPS port; anything else gets no page.
  printf '$SERVER["socket"] == %s {\n' "$(site_conf_string "$bind:$HTTP_PORT")"
  printf '  ssl.engine = "disable"\n'
  printf '  $HTTP["host"] =~ "^(\\[[0-9A-Fa-f:.]+\\]|[A-Za-z0-9.-]+)(:[0-9]+)?$" {\n'
  printf '    url.redirect = ( "" => "https://%%1%s${url.path}${qsa}" )\n' "$([ "$port" = 443 ] || echo ":$port")"
  printf '  } else {\n    url.access-deny = ( "" )\n  }\n}\n'
}

# Behind a trusted proxy: its X-Forwarded-For and X-Forwarded-Proto give the client's address and
# scheme, so that the guess limit counts clients, not the proxy, and a post from https:// pages is
# seen as one of this site's own. From any other address lighttpd ignores the headers.
site_web_proxy_conf() {
  local proxy
  printf 'extforward.forwarder = ( '
  for proxy in ${TLS_PROXY//,/ }; do printf '%s => "trust", ' "$(site_conf_string "$proxy")"; done
  printf ')\nextforward.headers = ( "X-Forwarded-For", "X-Forwarded-Proto" )\n'
}

# For root: lighttpd drops to the service account once it has opened its ports and read its files.
site_web_account() {
  [ "$(id -u)" = 0 ] || return 0
  local user
  user=$(site_service_user) || return 1
  printf 'server.username = %s\nserver.groupname = %s' "$(site_conf_string "$user")" "$(site_conf_string "$user")"
}

site_web_conf() (
  local var=$1 port=$2 text fds extra=""
  shopt -u patsub_replacement 2>/dev/null || true
  fds=$(site_web_fds)
  case $(site_tls_mode) in
    given | self-signed) extra=$(site_web_tls_conf "$var" "$port") || exit 1 ;;
    proxy) extra=$(site_web_proxy_conf) ;;
  esac
  text=$(cat "$SITE_ROOT/site/lighttpd.conf.in")
  text=${text//@SITE_DIR@/$var/site}
  text=${text//@BIND@/$(site_bind)}
  text=${text//@PORT@/$port}
  text=${text//@LOG_DIR@/$var/log}
  text=${text//@ENVIRONMENT_FILE@/$(site_control "$var")/environment.conf}
  text=${text//@SERVER_ACCOUNT@/$(site_web_account)}
  text=${text//@MAX_FDS@/$fds}
  text=${text//@MAX_CONNECTIONS@/$((fds / 2))}
  text=${text//@NETWORK@/$extra}
  printf '%s\n' "$text"
)

# The environment the programs of the installation VAR_DIR run with, under the web server and when
# a benchmark or a test runs one directly alike: the database's socket, the tools' home, PATH, TZ
# and every AMBRY_* setting. One NAME=value each, ended by a NUL byte (a value may hold anything).
site_cgi_environment() {
  local var=$1 name
  printf 'MYSQL_UNIX_PORT=%s\0' "$(site_socket "$var")"
  printf 'HOME=%s\0' "$(site_control "$var")/home"
  printf 'PATH=%s\0' /usr/local/bin:/usr/bin:/bin
  printf 'TZ=%s\0' "${TZ:-:/etc/localtime}"
  for name in $(compgen -e | grep '^AMBRY_' | sort); do printf '%s=%s\0' "$name" "${!name}"; done
}

# That environment as the entries of lighttpd's setenv.add-environment.
site_cgi_environment_conf() {
  local pair separator=""
  while IFS= read -r -d '' pair; do
    printf '%s  %s => %s' "$separator" "$(site_conf_string "${pair%%=*}")" "$(site_conf_string "${pair#*=}")"
    separator=$',\n'
  done < <(site_cgi_environment "$1")
}

# The folders, the programs' environment (it holds the passwords, so root alone reads it: lighttpd
# reads it before it gives up root) and the logs that a web server configuration refers to.
site_web_prepare() {
  local var=$1 user
  site_private_dirs "$var" || return 1
  user=$(site_service_user) || return 1
  site_tools_home "$var" || return 1
  printf '# What the programs get at run time; written by scripts/lib/site_web.sh.\nsetenv.add-environment = (\n%s\n)\n' \
    "$(site_cgi_environment_conf "$var")" | site_write_file "$(site_control "$var")/environment.conf" 0600
  # lighttpd writes its logs as the service account
  site_account_file "$var/log/lighttpd-error.log" "$user"
  site_account_file "$var/log/lighttpd-access.log" "$user"
}

site_web_start() {
  local var port conf
  var=$(realpath -m "$1"); port=$2
  site_web_prepare "$var" || return 1
  conf=$(site_web_conf "$var" "$port") || return 1
  printf '%s\n' "$conf" | site_write_file "$(site_control "$var")/lighttpd.conf" 0600 || return 1
  site_web_launch "$var" "$port"
}

# An address on which this machine reaches the site's port.
site_web_probe_address() {
  case $(site_bind) in 0.0.0.0 | localhost | "") echo 127.0.0.1 ;; :: | "[::]") echo ::1 ;; *) site_bind ;; esac
}

site_port_open() { (exec 3<>"/dev/tcp/$1/$2") 2>/dev/null; }

# Checks VAR_DIR/control/lighttpd.conf, starts lighttpd with it and waits until PORT answers.
site_web_launch() {
  local var=$1 port=$2 conf
  conf=$(site_control "$var")/lighttpd.conf
  lighttpd -tt -f "$conf" >"$var/log/lighttpd-check.log" 2>&1 || { cat "$var/log/lighttpd-check.log" >&2; return 1; }
  (
    [ "$(id -u)" != 0 ] || ulimit -Hn 65536 2>/dev/null || true  # raised where root may
    exec setsid lighttpd -D -f "$conf" </dev/null >>"$var/log/lighttpd.out" 2>&1
  ) &
  local pid=$!
  echo "$pid" | site_write_file "$(site_control "$var")/lighttpd.launcher.pid" 0644
  site_wait_for "$pid" 100 site_port_open "$(site_web_probe_address)" "$port" && return 0
  echo "site: lighttpd did not start; see $var/log/lighttpd-error.log and $var/log/lighttpd.out" >&2
  return 1
}

site_web_stop() {
  local var
  var=$(realpath -m "$1")
  site_pid_stop "$(site_control "$var")/lighttpd.launcher.pid" lighttpd
}

# What scripts/serve says once the site is up: where it is, how it speaks, and where the staff
# password is set (never the password itself: the banner may end up in a log).
site_serve_banner() {
  local scheme=$1 port=$2 host
  host=$(site_bind)
  [[ $host == *:* ]] && host="[$host]"
  echo
  echo "The library is open at  $scheme://$host:$port/"
  case $(site_tls_mode) in
    given) echo "  HTTPS with the certificate $TLS_CERT" ;;
    self-signed) echo "  HTTPS with a SELF-SIGNED certificate (browsers warn): give TLS_CERT and TLS_KEY for a real one" ;;
    proxy) echo "  plain HTTP for the trusted TLS proxy $TLS_PROXY, which serves the visitors over HTTPS" ;;
  esac
  [ -n "${HTTP_PORT:-}" ] && echo "  port $HTTP_PORT redirects plain HTTP to HTTPS"
  if [ -n "${AMBRY_ADMIN_PASSWORD:-}" ]; then
    echo "  Staff sign-in (home page menu): the password set in AMBRY_ADMIN_PASSWORD"
  else
    echo "  Staff sign-in (home page menu): the built-in default password (README.md); set AMBRY_ADMIN_PASSWORD"
  fi
}
