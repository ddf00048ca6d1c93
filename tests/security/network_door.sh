#!/usr/bin/env bash
# The staff door as the network sees it, against the served site: guessing is held off after the
# limit whatever door it tries; the staff programs answer only a session, which signing out ends;
# HTTPS with the certificate given (no page for plain HTTP on its port, HSTS, a plain port that only
# redirects); a trusted proxy's forwarded address and scheme count, anyone else's do not; and one
# client's slow connections leave the site answering another, over plain HTTP and over TLS.
# Clients take loopback addresses of their own (127.0.0.x), as different machines would.
# Usage: network_door.sh BUILD_DIR WORK_DIR
# No pipefail: the checks pipe pages into grep -q, which may leave before curl has written all.
set -u
build=$(realpath "$1")
work=$(realpath -m "$2")
here=$(cd "$(dirname "$0")" && pwd)
for tool in curl openssl node lighttpd mariadbd; do
  command -v "$tool" >/dev/null || { echo "the test needs $tool (Debian: curl openssl nodejs lighttpd mariadb-server)" >&2; exit 1; }
done
mkdir -p "$work"
export AMBRY_THROTTLE_LIMIT=10
source "$here/site_up.sh"
security_site_up

# The staff password only ever in private files: the sign-in form and HTTP credentials.
form=$work/right.txt
credentials=$work/credentials.txt
(
  umask 077
  printf 'password=%s' "$(site_admin_password)" >"$form"
  printf 'Authorization: Basic %s\n' "$(printf 'staff:%s' "$(site_admin_password)" | base64 -w0)" >"$credentials"
)
sql() { site_root_client "$var" -N -B "$(site_db_name)" -e "$1"; }
# A request from a loopback address of its own: curl_from ADDRESS CURL-ARGS...
curl_from() { curl -sk -m 10 --interface "$1" "${@:2}"; }
login_url() { echo "$base/cgi-bin/staff_login.exe?lang=eng"; }
signin_page() { grep -q '<title>Ashgrove Library :: Staff sign-in</title>'; }
restart_web() {
  site_web_stop "$var"
  site_web_start "$var" "$port" >"$work/web_start.log" 2>&1 || { cat "$work/web_start.log"; exit 1; }
  base=$(site_web_scheme)://127.0.0.1:$port
}
# Signs in from an address; the cookie jar is the file given.
sign_in_from() { curl_from "$1" -o /dev/null -c "$2" --data-binary @"$form" "$(login_url)" "${@:3}"; }

echo "== only loopback may keep the built-in staff password =="
for name in 127.0.0.1.nip.io 0.0.0.0; do
  check "scripts/serve will not listen on $name with it" \
    eval "BIND=$name timeout 60 '$SITE_ROOT/scripts/serve' 2>&1 </dev/null | grep -q 'will not listen on $name'"
done

echo "== the staff programs answer only a session; signing out ends it =="
sign_in_from 127.0.0.4 "$work/session"
sign_in_from 127.0.0.4 "$work/other"
for program in $(site_staff_programs); do
  address="$base/cgi-bin/$program.exe?lang=eng"
  check "$program without a session: the sign-in form" eval "curl_from 127.0.0.4 '$address' | signin_page"
  check "$program with the staff password as HTTP credentials: the sign-in form" \
    eval "curl_from 127.0.0.4 -H @'$credentials' '$address' | signin_page"
  check "$program with a posted password: the sign-in form" \
    eval "curl_from 127.0.0.4 --data-binary @'$form' '$address' | signin_page"
  check "$program with a session: its own page" eval "! curl_from 127.0.0.4 -b '$work/session' '$address' | signin_page"
done
curl_from 127.0.0.4 -b "$work/other" --data '' "$base/cgi-bin/staff_logout.exe?lang=eng" >/dev/null
check "signed out: that session opens nothing" \
  eval "curl_from 127.0.0.4 -b '$work/other' '$base/cgi-bin/reports.exe?lang=eng' | signin_page"
check "another browser's session stays open" \
  eval "! curl_from 127.0.0.4 -b '$work/session' '$base/cgi-bin/reports.exe?lang=eng' | signin_page"

echo "== guessing is held off after the limit, through every door =="
for i in $(seq 1 10); do curl_from 127.0.0.3 --data 'password=guess' "$(login_url)" >/dev/null; done
held=$(curl_from 127.0.0.3 -D - --data-binary @"$form" "$(login_url)")
check "the 11th check from one address is held off: even the right password" \
  grep -q 'Too many incorrect passwords' <<<"$held"
check "a held-off check opens no session" eval "! grep -qi '^Set-Cookie' <<<\"\$held\""
check "the member forms count against the same limit" \
  eval "curl_from 127.0.0.3 --data 'memberid=1&password=x' '$base/cgi-bin/patron_card.exe?lang=eng' | grep -q 'Too many incorrect passwords'"
check "another address still signs in" \
  eval "curl_from 127.0.0.5 -D - -o /dev/null --data-binary @'$form' '$(login_url)' | grep -q '^Set-Cookie: ambry_staff=[0-9a-f]'"

echo "== one client's slow connections, plain HTTP =="
trickle() { TRICKLE_PORT=$port TRICKLE_TLS=$1 node "$here/trickle.js"; }
slow=$(trickle 0)
echo "   $slow"
check "2,000 slow connections held from 127.0.0.1" grep -q '"held":2000' <<<"$slow"
check "127.0.0.2 answered within 2 s each time" \
  node -e 'const r = JSON.parse(process.argv[1]); process.exit(r.probes.every((p) => p.status === 200 && p.ms < 2000) ? 0 : 1)' "$slow"

echo "== behind a trusted proxy (127.0.0.2) =="
export TLS_PROXY=127.0.0.2
restart_web
forwarded=(-H 'X-Forwarded-For: 198.51.100.20' -H 'X-Forwarded-Proto: https')
curl_from 127.0.0.2 "${forwarded[@]}" --data 'password=guess' "$(login_url)" >/dev/null
curl_from 127.0.0.6 -H 'X-Forwarded-For: 198.51.100.21' --data 'password=guess' "$(login_url)" >/dev/null
guessers=$(sql "SELECT address FROM PASSWORDGUESS ORDER BY address" | tr '\n' ' ')
check "through the proxy the client's address is counted ($guessers)" grep -qw 198.51.100.20 <<<"$guessers"
check "not the proxy's" eval "! grep -qw 127.0.0.2 <<<'$guessers'"
check "from another address the forwarded one is ignored" \
  eval "grep -qw 127.0.0.6 <<<'$guessers' && ! grep -qw 198.51.100.21 <<<'$guessers'"
check "a sign-in through the proxy over https gets a Secure cookie" \
  eval "curl_from 127.0.0.2 ${forwarded[*]@Q} -D - -o /dev/null --data-binary @'$form' '$(login_url)' | grep -q '^Set-Cookie: ambry_staff=.*; Secure'"
check "a claimed https from elsewhere does not" \
  eval "curl_from 127.0.0.4 -H 'X-Forwarded-Proto: https' -D - -o /dev/null --data-binary @'$form' '$(login_url)' | grep '^Set-Cookie' | grep -vq Secure"
# A change posted from the site's https:// pages is the site's own only as the proxy says so.
change=(-b "$work/session" -H "Origin: https://127.0.0.1:$port" --data 'cmd=3&id=999999')
check "through the proxy, a post from the https pages is the site's own" \
  eval "! curl_from 127.0.0.2 ${forwarded[*]@Q} ${change[*]@Q} '$base/cgi-bin/book_editor.exe?lang=eng' | grep -q 'came from another web site'"
check "from elsewhere, the same post is refused as another site's" \
  eval "curl_from 127.0.0.4 ${forwarded[*]@Q} ${change[*]@Q} '$base/cgi-bin/book_editor.exe?lang=eng' | grep -q 'came from another web site'"
unset TLS_PROXY

echo "== HTTPS with the certificate given =="
openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2 -subj /CN=localhost \
  -addext subjectAltName=DNS:localhost,IP:127.0.0.1 -keyout "$work/key.pem" -out "$work/cert.pem" >/dev/null 2>&1
redirect_port=$(site_free_port)
export TLS_CERT=$work/cert.pem TLS_KEY=$work/key.pem HTTP_PORT=$redirect_port
restart_web
index=/cgi-bin/index.exe?lang=eng
check "the site speaks HTTPS with that certificate" \
  eval "curl -s -m 10 --cacert '$TLS_CERT' -o /dev/null -w '%{http_code}' 'https://127.0.0.1:$port$index' | grep -qx 200"
check "HSTS for a year" eval "curl -sk -D - -o /dev/null '$base$index' | grep -qi '^Strict-Transport-Security: max-age=31536000'"
check "plain HTTP on the HTTPS port gets no page" \
  eval "! curl -s -m 10 -D - 'http://127.0.0.1:$port$index' | grep -qE '^HTTP/|<html'"
moved=$(curl -s -m 10 -D - "http://127.0.0.1:$redirect_port/cgi-bin/reports.exe?lang=eng")
check "the plain port redirects to the HTTPS port" \
  grep -qx "Location: https://127.0.0.1:$port/cgi-bin/reports.exe?lang=eng"$'\r' <<<"$moved"
check "the plain port serves no page" eval "! grep -q '<html' <<<\"\$moved\""
check "a sign-in over HTTPS gets a Secure cookie" \
  eval "curl_from 127.0.0.5 -D - -o /dev/null --data-binary @'$form' '$(login_url)' | grep -qi '^Set-Cookie: ambry_staff=.*; HttpOnly; SameSite=Strict; Secure'"

echo "== one client's slow connections, over TLS =="
slow=$(trickle 1)
echo "   $slow"
check "2,000 slow TLS connections held from 127.0.0.1" grep -q '"held":2000' <<<"$slow"
check "127.0.0.2 answered within 2 s each time" \
  node -e 'const r = JSON.parse(process.argv[1]); process.exit(r.probes.every((p) => p.status === 200 && p.ms < 2000) ? 0 : 1)' "$slow"
unset TLS_CERT TLS_KEY HTTP_PORT

echo "== HTTPS without a certificate: a self-signed pair, and a short HSTS =="
TLS=1 restart_web
check "a pair made under var/control/tls" test -s "$var/control/tls/cert.pem"
check "HSTS for five minutes" eval "curl -sk -D - -o /dev/null '$base$index' | grep -qi '^Strict-Transport-Security: max-age=300'"

exit $failed
