# scripts/serve --cluster: three Galera nodes and two lighttpd hosts on loopback, host 1 on node 1
# and host 2 on node 2. The hosts share one site folder and one backup folder, as hosts on shared
# storage would; each has its own run and log folders, whose database socket leads to its node.
#   cluster_serve BUILD_DIR VAR_DIR PORT     (host 2 listens on PORT + 1)

cluster_serve() {
  local build=$1 var port=$3
  var=$(realpath -m "$2")
  source "$SITE_ROOT/scripts/lib/cluster.sh"
  echo "== laying out the shared site in $var/shared =="
  site_layout "$build" "$var/shared"
  local fresh=1
  [ -d "$var/db/node1/data/mysql" ] && fresh=""
  stop_cluster() {
    echo
    echo "== stopping the web hosts and the cluster =="
    site_web_stop "$var/host1"
    site_web_stop "$var/host2"
    cluster_stop "$var/db"
  }
  trap stop_cluster EXIT
  trap 'exit 130' INT TERM
  if [ -n "$fresh" ]; then
    echo "== starting three Galera nodes (data in $var/db) =="
    cluster_start "$var/db"
    cluster_sql "$var/db" 1 ambry <"$SITE_ROOT/sql/sample_data.sql"
  else
    echo "== starting the three Galera nodes again (data in $var/db) =="
    cluster_resume "$var/db"
  fi
  local h
  for h in 1 2; do
    mkdir -p "$var/host$h/run" "$var/host$h/log"
    ln -sfn "$var/shared/site" "$var/host$h/site"
    ln -sfn "$var/shared/db_backup" "$var/host$h/db_backup"
    ln -sfn "$(cluster_socket "$var/db" "$h")" "$(site_socket "$var/host$h")"
    echo "== starting web host $h on port $((port + h - 1)), database node $h =="
    site_web_start "$var/host$h" $((port + h - 1))
  done
  cat <<EOT

The library runs on two web hosts over a three-node cluster:
  host 1  http://${BIND:-127.0.0.1}:$port/        (database node 1)
  host 2  http://${BIND:-127.0.0.1}:$((port + 1))/        (database node 2)
  Staff: user "staff", password "$(site_admin_password)". Shared files in $var/shared, logs in
  $var/host1/log, $var/host2/log and $var/db/node*/mysqld.err.
Press Ctrl-C to stop.
EOT
  while kill -0 "$(cat "$var/host1/run/lighttpd.launcher.pid")" 2>/dev/null \
        && kill -0 "$(cat "$var/host2/run/lighttpd.launcher.pid")" 2>/dev/null; do
    sleep 1 &
    wait $! || true
  done
  echo "A web host stopped unexpectedly; see $var/host*/log/." >&2
  exit 1
}
