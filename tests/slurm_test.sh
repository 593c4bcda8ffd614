#!/usr/bin/env bash
# Runs scripts/tiles.sbatch on a one-node Slurm started for it: a tile in a missing directory
# fails its task, and once the directory exists the same submission resumes the batch.
# Usage: slurm_test.sh SOURCE_DIR MAVREL_BINARY
private=yes && source "$(dirname "$0")/expect.sh"
skip() { echo "skipped: $*" && exit 0; }
[ "$(id -u)" -eq 0 ] || skip "starting munged, slurmctld and slurmd needs root"

mkdir -m 755 munge state spool batch && head -c 1024 /dev/urandom >munge/key && chmod 600 munge/key
host=$(hostname -s) memory=$(awk '/^MemTotal/ { print int($2 / 2048) }' /proc/meminfo)
export SLURM_CONF=$work/slurm.conf
cat >slurm.conf <<CONF
ClusterName=mavreltest
SlurmctldHost=$host(127.0.0.1)
SlurmctldPort=16817
SlurmdPort=16818
AuthInfo=socket=$work/munge/socket
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_Core_Memory
StateSaveLocation=$work/state
SlurmdSpoolDir=$work/spool
SlurmctldPidFile=$work/slurmctld.pid
SlurmdPidFile=$work/slurmd.pid
NodeName=$host NodeAddr=127.0.0.1 CPUs=$(nproc) RealMemory=$memory
PartitionName=tiles Nodes=ALL Default=YES State=UP
CONF
started munged -F --key-file=munge/key --socket="$work/munge/socket" --pid-file=munge/pid \
    --log-file=munge/log --seed-file=munge/seed
for _ in $(seq 50); do [ -S munge/socket ] && break; sleep 0.1; done
started slurmctld -D
started slurmd -D
for _ in $(seq 100); do [ "$(sinfo -h -o %t 2>/dev/null)" = idle ] && break; sleep 0.2; done
[ "$(sinfo -h -o %t 2>/dev/null)" = idle ] || skip "the Slurm daemons did not start: $(tail -n 1 daemons.log)"

cd batch && mkdir tiles && lines tiles/N44E006 missing/N44E007 tiles/N45E006 tiles/N45E007 tiles/N46E006 >list
submit() { TILES_PER_TASK=2 sbatch --quiet --wait --array=0-2 "$1/scripts/tiles.sbatch" list 3; }
expect 1 "" "" submit "$1"
expect 0 "mavrel missing/N44E007 3" "" awk -F'\t' 'FNR > 1 { status[$9] = $7 }
    END { for (run in status) if (status[run]) print run }' list.joblogs/*
mkdir missing
expect 0 "" "" submit "$1"
for tile in $(<list); do expect 0 "$(samples 9 4 0)$(samples 9 1 1)" "" hex "$tile" "${tile}_flag"; done
# Each tile ran once, but the one that failed, and nothing was written but tiles and logs.
expect 0 "$( (cat list && echo missing/N44E007) | sed 's/.*/mavrel & 3/' | sort)" "" \
    sh -c 'tail -qn +2 list.joblogs/* | cut -f9 | sort'
expect 0 "$( (sed p list | sed '2~2s/$/_flag/' && lines list list.joblogs/{0,1,2} && printf \
    'slurm-J_%s.out\n' 0 0 1 1 2 2) | sort)" "" sh -c 'find * -type f | sed "s/-[0-9]*_/-J_/" | sort'
[ "$failures" -eq 0 ]
