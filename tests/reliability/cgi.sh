# Runs one installed program of the reliability site directly, as the web server does (working
# directory cgi-bin, the same environment: site_cgi_environment), so that its exit status can be
# seen. Source after lib.sh.
#   rel_run_cgi PROGRAM CONTENT_LENGTH < body     page on stdout, exit status of the program
#   (REL_CGI_TIMEOUT, default 20 s, bounds the run; extra VAR=value settings in REL_CGI_ENV)
rel_run_cgi() {
  local program=$1 length=$2 environment
  mapfile -d '' -t environment < <(site_cgi_environment "$REL_VAR")
  (
    cd "$REL_VAR/site/cgi-bin" || exit 1
    # The staff session's cookie goes into the environment, not onto a command line.
    cookie=$(cat "$REL_COOKIE_FILE")
    extra=${REL_CGI_ENV:-} timeout=${REL_CGI_TIMEOUT:-20}
    for name in $(compgen -e); do unset "$name" 2>/dev/null; done
    for pair in "${environment[@]}"; do export "$pair"; done
    export REQUEST_METHOD=POST QUERY_STRING=lang=eng SCRIPT_NAME="/cgi-bin/$program.exe" CONTENT_LENGTH="$length" \
      HTTP_COOKIE=$cookie
    # shellcheck disable=SC2086
    [ -n "$extra" ] && export $extra
    exec timeout -s KILL "$timeout" "./$program.exe"
  )
}
