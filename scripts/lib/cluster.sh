# A three-node MariaDB Galera cluster on loopback, each node in a private folder with free ports.
# Source it, then:
#   cluster_start DIR              nodes 1..3 (node 1 founds the cluster), database, account, schema
#   cluster_resume DIR             the nodes of a cluster that cluster_stop stopped, with their data,
#                                  and the schema upgrade
#   cluster_node_start DIR N       (re)starts node N and waits until it is synced
#   cluster_node_stop DIR N        stops node N;  cluster_stop DIR stops every node
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

cluster_free_port() {
  local p
  while :; do
    p=$((20000 + RANDOM % 40000))
    grep -qx "$p" "$1/ports" 2>/dev/null && continue
    [ -z "$(ss -Htan "sport = :$p" 2>/dev/null)" ] && { echo "$p"; return; }
  done
}

cluster_node_ready() {
  [ "$(cluster_sql "$1" "$2" -N -e "SHOW STATUS LIKE 'wsrep_ready'" 2>/dev/null | cut -f2)" = ON ]
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
  for i in $(seq 1 $((CLUSTER_NODES * 4))); do cluster_free_port "$dir" >>"$dir/ports"; done
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
  site_schema_upgrade cluster_sql "$dir" 1 "$(site_db_name)"
}
