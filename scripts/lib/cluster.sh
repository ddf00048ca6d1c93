# A three-node MariaDB Galera cluster on loopback, each node in a private folder with free ports.
# Source it, then:
#   cluster_start DIR              nodes 1..3 (node 1 founds the cluster), database, account, schema
#   cluster_resume DIR             the nodes of a cluster that cluster_stop stopped, with their data,
#                                  and the schema upgrade
#   cluster_node_start DIR N       (re)starts node N and waits until it is synced
#   cluster_node_stop DIR N        stops node N (SIGTERM);  cluster_node_kill DIR N  kills it (SIGKILL)
#   cluster_stop DIR               stops every node
#   cluster_whole DIR              whether every node counts all three as members
#   cluster_socket DIR N           the node's socket;  cluster_sql DIR N ARGS...  root client on it
# As root the nodes run as the unprivileged account ambry (made when missing), with the same
# accounts, rights and options as the site's single server; DIR must then be a folder that account
# can reach (for example one under /tmp).

CLUSTER_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
CLUSTER_NODES=3
source "$CLUSTER_ROOT/scripts/lib/packages.sh"
source "$CLUSTER_ROOT/scripts/lib/site.sh"
# The cluster's replication library, state transfer and its port checks.
CLUSTER_PACKAGES=(mariadb-server mariadb-client galera-4 rsync iproute2 lsof)

# Each node is laid out and started as a single server's database is (site.sh): the same folders,
# accounts, rights and options, with Galera's own options added.
cluster_node() { echo "$1/node$2"; }
cluster_socket() { site_socket "$(cluster_node "$1" "$2")"; }
cluster_sql() { site_root_client "$(cluster_node "$1" "$2")" "${@:3}"; }
# The node's ports: client, group communication, incremental and full state transfer.
cluster_port() { sed -n "$(( ($2 - 1) * 4 + $3 ))p" "$1/ports"; }

# A free port (site_free_port: below the kernel's range for outgoing connections) that no socket
# of any state uses and that the cluster has not picked yet.
cluster_free_port() {
  local p tries
  for tries in $(seq 1 50); do
    p=$(site_free_port) || return 1
    grep -qx "$p" "$1/ports" 2>/dev/null && continue
    [ -z "$(ss -Htan "sport = :$p" 2>/dev/null)" ] && { echo "$p"; return 0; }
  done
  return 1
}

cluster_status() {
  cluster_sql "$1" "$2" -N -e "SHOW STATUS LIKE '$3'" 2>/dev/null | cut -f2
}
cluster_node_ready() { [ "$(cluster_status "$1" "$2" wsrep_ready)" = ON ]; }
# Whether every running node counts all CLUSTER_NODES nodes as members.
cluster_whole() {
  local n
  for n in $(seq 1 $CLUSTER_NODES); do
    [ "$(cluster_status "$1" "$n" wsrep_cluster_size)" = "$CLUSTER_NODES" ] || return 1
  done
}
# Waits up to 30 seconds until the cluster is whole; fails, naming each node's count, otherwise.
cluster_wait_whole() {
  local i n
  for i in $(seq 1 300); do
    cluster_whole "$1" && return 0
    sleep 0.1
  done
  for n in $(seq 1 $CLUSTER_NODES); do
    echo "cluster: node $n counts $(cluster_status "$1" "$n" wsrep_cluster_size) members, not $CLUSTER_NODES" >&2
  done
  return 1
}

cluster_node_start() {
  local dir=$1 n=$2 new=${3:-} members="" i
  local node
  node=$(cluster_node "$dir" "$n")
  for i in $(seq 1 $CLUSTER_NODES); do members+="${members:+,}127.0.0.1:$(cluster_port "$dir" "$i" 2)"; done
  site_private_dirs "$node" || return 1
  site_db_launch "$node" --tmpdir="$node/run" \
    --port="$(cluster_port "$dir" "$n" 1)" --bind-address=127.0.0.1 --skip-name-resolve \
    --innodb-flush-log-at-trx-commit=2 --binlog-format=ROW --innodb-autoinc-lock-mode=2 --wsrep-on=ON \
    --wsrep-provider=/usr/lib/galera/libgalera_smm.so --wsrep-cluster-name=ambry \
    --wsrep-cluster-address="gcomm://$members" \
    --wsrep-provider-options="gmcast.listen_addr=tcp://127.0.0.1:$(cluster_port "$dir" "$n" 2);ist.recv_addr=127.0.0.1:$(cluster_port "$dir" "$n" 3)" \
    --wsrep-sst-method=rsync --wsrep-sst-receive-address="127.0.0.1:$(cluster_port "$dir" "$n" 4)" \
    --wsrep-node-address=127.0.0.1 --wsrep-node-name="node$n" ${new:+--wsrep-new-cluster} || return 1
  # The socket answers before the node has its state: wait until it is ready for clients.
  site_wait_for "$(cat "$(site_control "$node")/mysqld.launcher.pid")" 1200 cluster_node_ready "$dir" "$n" \
    && return 0
  echo "cluster: node $n did not become ready; see $node/log/mysqld.err" >&2
  grep -E "ERROR|rror" "$node/log/mysqld.err" | tail -20 >&2
  return 1
}

# A Galera node may take a while to leave the cluster: it gets 30 seconds.
cluster_node_stop() { site_pid_stop "$(site_control "$(cluster_node "$1" "$2")")/mysqld.launcher.pid" mariadbd 300; }

# Kills node N at once (SIGKILL), as a crash or the kernel's out-of-memory killer would, and waits
# until it is gone.
cluster_node_kill() {
  local pidfile pid
  pidfile=$(site_control "$(cluster_node "$1" "$2")")/mysqld.launcher.pid
  pid=$(head -c 32 "$pidfile" 2>/dev/null | tr -dc 0-9)
  if site_pid_is "$pid" mariadbd; then
    kill -KILL "$pid"
    while site_pid_is "$pid" mariadbd; do sleep 0.1; done
  fi
  rm -f "$pidfile"
}

cluster_stop() {
  local n
  for n in $(seq $CLUSTER_NODES -1 1); do cluster_node_stop "$1" "$n"; done
}

cluster_start() {
  local dir=$1 n i
  ensure_packages "${CLUSTER_PACKAGES[@]}" || return 1
  site_service_user >/dev/null || return 1
  mkdir -p "$dir"
  chmod 755 "$dir"
  : >"$dir/ports"
  for i in $(seq 1 $((CLUSTER_NODES * 4))); do
    cluster_free_port "$dir" >>"$dir/ports" || { echo "cluster: no free port" >&2; return 1; }
  done
  for n in $(seq 1 $CLUSTER_NODES); do
    rm -rf "$(cluster_node "$dir" "$n")"
    site_private_dirs "$(cluster_node "$dir" "$n")" || return 1
  done
  if [ "$(id -u)" = 0 ]; then
    runuser -u "$(site_service_user)" -- test -w "$(cluster_node "$dir" 1)/mysql" \
      || { echo "cluster: the account $(site_service_user) cannot reach $dir" >&2; return 1; }
  fi
  # Only the founding node gets a fresh database; the others receive theirs from it (empty folders).
  site_db_install "$(cluster_node "$dir" 1)" || return 1
  cluster_node_start "$dir" 1 new || return 1
  for n in $(seq 2 $CLUSTER_NODES); do cluster_node_start "$dir" "$n" || return 1; done
  cluster_wait_whole "$dir" || return 1
  # Database, site account, rights and the database's administrator as on a single server; they
  # reach every node.
  site_db_secure "$(cluster_node "$dir" 1)" || return 1
  AMBRY_NO_SAMPLE_DATA=1 site_db_setup "$(cluster_node "$dir" 1)"
}

# cluster_stop stops node 1 last, so node 1 holds every change and founds the cluster again. The
# schema upgrade runs as at every start of a single server; it reaches every node.
cluster_resume() {
  local dir=$1 n
  cluster_node_start "$dir" 1 new || return 1
  for n in $(seq 2 $CLUSTER_NODES); do cluster_node_start "$dir" "$n" || return 1; done
  cluster_wait_whole "$dir" || return 1
  site_schema_upgrade cluster_sql "$dir" 1 "$(site_db_name)"
}
