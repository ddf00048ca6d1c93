# Runs one installed program of the reliability site directly, as the web server does (working
# directory cgi-bin, the same environment), so that its exit status can be seen. Source after lib.sh.
#   rel_run_cgi PROGRAM CONTENT_LENGTH < body     page on stdout, exit status of the program
#   (REL_CGI_TIMEOUT, default 20 s, bounds the run; extra VAR=value settings in REL_CGI_ENV)
rel_run_cgi() {
  local program=$1 length=$2
  (cd "$REL_VAR/site/cgi-bin" && exec env -i PATH=/usr/local/bin:/usr/bin:/bin \
      MYSQL_UNIX_PORT="$(site_socket "$REL_VAR")" HOME="$REL_VAR/run/home" TZ="${TZ:-:/etc/localtime}" \
      REQUEST_METHOD=POST QUERY_STRING=lang=eng SCRIPT_NAME="/cgi-bin/$program.exe" \
      CONTENT_LENGTH="$length" ${REL_CGI_ENV:-} timeout -s KILL "${REL_CGI_TIMEOUT:-20}" "./$program.exe")
}
