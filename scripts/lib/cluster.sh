# A three-node MariaDB Galera cluster on loopback, each node in a private folder with free ports.
# Source it, then:
#   cluster_start DIR              nodes 1..3 (node 1 founds the cluster), database, account, schema
#   cluster_resume DIR             the nodes of a cluster that cluster_stop stopped, with their data,
#                                  and the schema upgrade
#   cluster_node_start DIR N       (re)starts node N and waits until it is synced
#   cluster_node_stop DIR N        stops node N;  cluster_stop DIR stops every node
#   cluster_socket DIR N           the node's socket;  cluster_sql DIR N ARGS...  root client on it
# As root the nodes run as the unprivileged account ambry (made when missing); DIR must then be a
# folder that account can reach (for example one under /tmp).

CLUSTER_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
CLUSTER_NODES=3
source "$CLUSTER_ROOT/scripts/lib/packages.sh"
source "$CLUSTER_ROOT/scripts/lib/site.sh"
# The cluster's replication library, state transfer and its port checks.
CLUSTER_PACKAGES=(mariadb-server mariadb-client galera-4 rsync iproute2 lsof)

cluster_socket() { echo "$1/node$2/mysqld.sock"; }
cluster_sql() { mysql --no-defaults --socket="$(cluster_socket "$1" "$2")" -uroot "${@:3}"; }
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

cluster_account() { site_service_user >/dev/null; }

cluster_node_start() {
  local dir=$1 n=$2 new=${3:-} userflag=() members="" i
  local node=$dir/node$n
  for i in $(seq 1 $CLUSTER_NODES); do members+="${members:+,}127.0.0.1:$(cluster_port "$dir" "$i" 2)"; done
  [ "$(id -u)" = 0 ] && userflag=(--user=ambry)
  setsid mariadbd --no-defaults --datadir="$node/data" --tmpdir="$node/tmp" \
    --socket="$(cluster_socket "$dir" "$n")" --pid-file="$node/mysqld.pid" --log-error="$node/mysqld.err" \
    --port="$(cluster_port "$dir" "$n" 1)" --bind-address=127.0.0.1 --skip-name-resolve \
    --lower-case-table-names=1 --character-set-server=latin1 --collation-server=latin1_swedish_ci \
    --innodb-buffer-pool-size=64M --innodb-flush-log-at-trx-commit=2 \
    --binlog-format=ROW --innodb-autoinc-lock-mode=2 --wsrep-on=ON \
    --wsrep-provider=/usr/lib/galera/libgalera_smm.so --wsrep-cluster-name=ambry \
    --wsrep-cluster-address="gcomm://$members" \
    --wsrep-provider-options="gmcast.listen_addr=tcp://127.0.0.1:$(cluster_port "$dir" "$n" 2);ist.recv_addr=127.0.0.1:$(cluster_port "$dir" "$n" 3)" \
    --wsrep-sst-method=rsync --wsrep-sst-receive-address="127.0.0.1:$(cluster_port "$dir" "$n" 4)" \
    --wsrep-node-address=127.0.0.1 --wsrep-node-name="node$n" ${new:+--wsrep-new-cluster} "${userflag[@]}" \
    </dev/null >>"$node/mysqld.out" 2>&1 &
  echo $! >"$node/launcher.pid"
  # The socket answers before the node has its state: wait until it is ready for clients.
  local pid=$!
  for i in $(seq 1 1200); do
    [ "$(cluster_sql "$dir" "$n" -N -e "SHOW STATUS LIKE 'wsrep_ready'" 2>/dev/null | cut -f2)" = ON ] && return 0
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "cluster: node $n did not become ready; see $node/mysqld.err" >&2
  grep -E "ERROR|rror" "$node/mysqld.err" | tail -20 >&2
  return 1
}

# A Galera node may take a while to leave the cluster: it gets 30 seconds.
cluster_node_stop() { site_pid_stop "$1/node$2/launcher.pid" 300; }

cluster_stop() {
  local n
  for n in $(seq $CLUSTER_NODES -1 1); do cluster_node_stop "$1" "$n"; done
}

cluster_start() {
  local dir=$1 n i
  ensure_packages "${CLUSTER_PACKAGES[@]}" || return 1
  cluster_account
  mkdir -p "$dir"
  : >"$dir/ports"
  for i in $(seq 1 $((CLUSTER_NODES * 4))); do cluster_free_port "$dir" >>"$dir/ports"; done
  for n in $(seq 1 $CLUSTER_NODES); do
    rm -rf "$dir/node$n"
    mkdir -p "$dir/node$n/data" "$dir/node$n/tmp"
  done
  local userflag=()
  if [ "$(id -u)" = 0 ]; then
    chmod 755 "$dir"
    chown -R ambry "$dir"/node*
    userflag=(--user=ambry)
    runuser -u ambry -- test -w "$dir/node1/data" \
      || { echo "cluster: the account ambry cannot reach $dir" >&2; return 1; }
  fi
  # Only the founding node gets a fresh database; the others receive theirs from it (empty folders).
  mariadb-install-db --no-defaults --datadir="$dir/node1/data" --tmpdir="$dir/node1/tmp" \
    --auth-root-authentication-method=normal --skip-test-db "${userflag[@]}" >"$dir/install.log" 2>&1 \
    || { cat "$dir/install.log" >&2; return 1; }
  cluster_node_start "$dir" 1 new || return 1
  for n in $(seq 2 $CLUSTER_NODES); do cluster_node_start "$dir" "$n" || return 1; done
  cluster_sql "$dir" 1 -e "CREATE DATABASE ambry DEFAULT CHARACTER SET latin1;
    CREATE USER 'ambry'@'localhost' IDENTIFIED BY 'marmots';
    GRANT ALL PRIVILEGES ON ambry.* TO 'ambry'@'localhost';
    GRANT PROCESS ON *.* TO 'ambry'@'localhost';" || return 1
  site_schema_upgrade cluster_sql "$dir" 1 ambry || return 1
  cluster_sql "$dir" 1 ambry <"$CLUSTER_ROOT/sql/dewey.sql" || return 1
}

# cluster_stop stops node 1 last, so node 1 holds every change and founds the cluster again. The
# schema upgrade runs as at every start of a single server; it reaches every node.
cluster_resume() {
  local dir=$1 n
  cluster_account
  cluster_node_start "$dir" 1 new || return 1
  for n in $(seq 2 $CLUSTER_NODES); do cluster_node_start "$dir" "$n" || return 1; done
  site_schema_upgrade cluster_sql "$dir" 1 ambry
}
