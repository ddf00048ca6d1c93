# scripts/serve --cluster: three Galera nodes and two lighttpd hosts on loopback, host 1 on node 1
# and host 2 on node 2. The hosts share one site folder and one backup folder, as hosts on shared
# storage would; each has its own control and log folders, and its node's run folder (the socket).
#   cluster_serve BUILD_DIR VAR_DIR PORT     (host 2 listens on PORT + 1)

cluster_serve() {
  local build=$1 var port=$3
  var=$(realpath -m "$2")
  source "$SITE_ROOT/scripts/lib/cluster.sh"
  echo "== laying out the shared site in $var/shared =="
  site_layout "$build" "$var/shared"
  if [ -d "$var/db/node1/data" ]; then
    echo "cluster: $var/db holds nodes laid out by an earlier version; move it away to start afresh" >&2
    exit 1
  fi
  local fresh=1
  [ -d "$var/db/node1/mysql/mysql" ] && fresh=""
  stop_cluster() {
    echo
    echo "== stopping the web hosts and the cluster =="
    site_web_stop "$var/host1" || true
    site_web_stop "$var/host2" || true
    cluster_stop "$var/db"
  }
  trap stop_cluster EXIT
  trap 'exit 130' INT TERM
  if [ -n "$fresh" ]; then
    echo "== starting three Galera nodes (data in $var/db) =="
    cluster_start "$var/db"
    cluster_sql "$var/db" 1 "$(site_db_name)" <"$SITE_ROOT/sql/sample_data.sql"
  else
    echo "== starting the three Galera nodes again (data in $var/db) =="
    cluster_resume "$var/db"
  fi
  local h
  for h in 1 2; do
    # The host's run folder is its node's, which holds the node's socket.
    site_root_dir "$var/host$h" "$(site_service_user)"
    ln -sfn "$var/shared/site" "$var/host$h/site"
    ln -sfn "$var/shared/db_backup" "$var/host$h/db_backup"
    ln -sfn "$(cluster_node "$var/db" "$h")/run" "$var/host$h/run"
    echo "== starting web host $h on port $((port + h - 1)), database node $h =="
    site_web_start "$var/host$h" $((port + h - 1))
  done
  echo
  echo "The library runs on two web hosts over a three-node cluster:"
  echo "  host 1  $(site_web_scheme)://$(site_bind):$port/        (database node 1)"
  echo "  host 2  $(site_web_scheme)://$(site_bind):$((port + 1))/        (database node 2)"
  site_serve_banner "$(site_web_scheme)" "$port" | grep 'Staff sign-in'
  cat <<EOT
  Shared files in $var/shared, logs in $var/host1/log, $var/host2/log and $var/db/node*/log.
Press Ctrl-C to stop.
EOT
  while site_pid_is "$(cat "$var/host1/control/lighttpd.launcher.pid")" lighttpd \
        && site_pid_is "$(cat "$var/host2/control/lighttpd.launcher.pid")" lighttpd; do
    sleep 1 &
    wait $! || true
  done
  echo "A web host stopped unexpectedly; see $var/host*/log/." >&2
  exit 1
}
