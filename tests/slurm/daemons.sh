#!/usr/bin/env bash
# Starts or stops the Slurm that the tests on Slurm share: one munged, one slurmctld and two
# slurmd (nodes one and two) on this host, on TCP ports found free, with their configuration
# and state in DIR (slurm.conf). Where they cannot start, DIR/skipped says why. A guard stops
# them should the process that started them (CTest) end without stopping them.
# Usage: daemons.sh start|stop DIR
set -euo pipefail
dir=$2

# free_port: a TCP port above 20000 that nothing listens on.
free_port() {
    local port
    while port=$((20000 + RANDOM % 40000)) && [ -n "$(ss -Htln "sport = :$port")" ]; do :; done
    echo "$port"
}

# started COMMAND...: runs a daemon of the fixture in a session of its own; its pid in pids.
started() {
    setsid "$@" >>"$dir/daemons.log" 2>&1 </dev/null &
    echo $! >>"$dir/pids"
}

start() {
    rm -rf "$dir" && mkdir -p "$dir"
    [ "$(id -u)" -eq 0 ] || { echo "starting munged, slurmctld and slurmd needs root" >"$dir/skipped" && exit 0; }
    mkdir -m 755 "$dir"/{munge,state,spool} && head -c 1024 /dev/urandom >"$dir/munge/key" && chmod 600 "$dir/munge/key"
    local host memory
    host=$(hostname -s) memory=$(awk '/^MemTotal/ { print int($2 / 2048) }' /proc/meminfo)
    cat >"$dir/slurm.conf" <<CONF
ClusterName=mavreltest
SlurmctldHost=$host(127.0.0.1)
SlurmctldPort=$(free_port)
AuthInfo=socket=$dir/munge/socket
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_Core_Memory
JobRequeue=0
StateSaveLocation=$dir/state
SlurmdSpoolDir=$dir/spool/%n
SlurmctldPidFile=$dir/slurmctld.pid
SlurmdPidFile=$dir/slurmd-%n.pid
NodeName=one NodeHostname=$host NodeAddr=127.0.0.1 Port=$(free_port) CPUs=$(nproc) RealMemory=$memory
NodeName=two NodeHostname=$host NodeAddr=127.0.0.1 Port=$(free_port) CPUs=$(nproc) RealMemory=$memory
PartitionName=tiles Nodes=ALL Default=YES State=UP
CONF
    export SLURM_CONF=$dir/slurm.conf
    started munged -F --key-file="$dir/munge/key" --socket="$dir/munge/socket" \
        --pid-file="$dir/munge/pid" --log-file="$dir/munge/log" --seed-file="$dir/munge/seed"
    for _ in $(seq 500); do [ -S "$dir/munge/socket" ] && break; sleep 0.01; done
    started slurmctld -D
    started slurmd -D -N one
    started slurmd -D -N two
    echo "$(sed -n 4p "$dir/pids")" >"$dir/node-two.pid"
    setsid sh -c 'tail --pid="$0" -f /dev/null; kill -KILL $(cat "$1/pids")' "$PPID" "$dir" \
        >/dev/null 2>&1 </dev/null &
    echo $! >"$dir/guard.pid"
    idle() { [ "$(sinfo -h -N -o %t 2>/dev/null | sort -u)" = idle ]; }
    for _ in $(seq 1000); do idle && return; sleep 0.02; done
    echo "the Slurm daemons did not start: $(tail -n 1 "$dir/daemons.log")" >"$dir/skipped"
}

# gone PID: whether the process has ended (a zombie has).
gone() { [ ! -e "/proc/$1" ] || [ "$(cut -d' ' -f3 "/proc/$1/stat" 2>/dev/null)" = Z ]; }

# Stops exactly what start started, by process id, and fails if one of them outlives that.
stop() {
    [ -e "$dir/pids" ] || { rm -rf "$dir" && return; }
    kill -KILL "$(cat "$dir/guard.pid")" $(cat "$dir/pids") 2>/dev/null || true
    local pid
    for pid in $(cat "$dir/pids"); do
        for _ in $(seq 500); do gone "$pid" && break; sleep 0.01; done
        gone "$pid" || { echo "daemons.sh: process $pid outlived its stop" >&2 && exit 1; }
    done
    rm -rf "$dir"
}

"$1"
