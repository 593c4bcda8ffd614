#!/usr/bin/env bash
# Runs tiles.sbatch on the two-node Slurm that daemons.sh started for the tests. A tile in a
# missing directory fails its task; resubmitted with other chunks and the list reversed, only
# that tile runs again. Then a batch over both nodes loses one of them mid-run (its slurmd and
# every process of its task, by SIGKILL), and the same command, submitted again, completes it:
# mavrel-verify passes. Its scratch directory is one that the Slurm daemons see.
# Usage: batch_test.sh SOURCE_DIR BIN_DIR/mavrel SLURM_DIR
source "$(dirname "$0")/../expect.sh"
[ ! -e "$3/skipped" ] || { skipped "$(cat "$3/skipped")" && finish; }
export SLURM_CONF=$3/slurm.conf
two=$(cat "$3/node-two.pid")

mkdir batch && cd batch && mkdir tiles && lines tiles/N44E006 missing/N44E007 tiles/N45E006 tiles/N45E007 tiles/N46E006 >list
submit() { mavrel-batch submit list 3 --tiles-per-task "$1" -- --quiet --wait; }
expect 1 "" "" submit 2
expect 0 "missing/N44E007" "" sh -c 'mavrel-batch status list | tail -n +2'
mkdir missing && tac list >reversed && mv reversed list
expect 0 "" "" submit 3
# Each tile ran once but the one that failed, and nothing was written but tiles and logs.
expect 0 "$( (cat list && echo missing/N44E007) | sed 's/.*/mavrel-batch run & 3 -d float32 -f int8/' | sort)" "" \
    sh -c 'cat list.joblogs/* | cut -f9 | sort'
expect 0 "5 whole, 0 not whole" "" mavrel-batch verify list 3
expect 0 "$( (sed p list | sed '2~2s/$/_flag/' && lines list list.batch list.joblogs/{0,1,2} && printf \
    'slurm-J_%s.out\n' 0 1 2 0 1) | sort)" "" sh -c 'find * -type f | sed "s/-[0-9]*_/-J_/" | sort'
cd ..

# Node two dies mid-run (a task takes a whole node, so that both run one): its slurmd, the
# step daemons of its tasks, and every process of the tasks, which carry its name, until
# none is left.
of_node() { grep -lsxzF "SLURMD_NODENAME=$1" /proc/[0-9]*/environ | cut -d/ -f3; }
writing() { for pid in $(pgrep -x parallel); do grep -qsxzF SLURMD_NODENAME=two "/proc/$pid/environ" && return; done; false; }
mkdir -p kill/tiles && cd kill && mavrel-batch names 40 44 0 10 | sed 's|^|tiles/|' >list
again() { mavrel-batch submit list 3601 --tiles-per-task 10 -- --quiet --wait --cpus-per-task="$(nproc)"; }
again >submission.log 2>&1 &
for _ in $(seq 3000); do writing && break; sleep 0.01; done
writing || fail "node two never ran its tiles"
kill -KILL "$two" $(ps -o ppid= -p "$(pgrep -d, -f "$3/spool/two/")")
for _ in $(seq 20); do kill -KILL $(of_node two) 2>/dev/null || break; done
scontrol update nodename=two state=down reason="killed" # as slurmctld finds, a while later
wait $! || true # Slurm gives tasks lost with their node no status
[[ $(mavrel-batch status list) != "40 finished"* ]] || fail "node two was lost after the batch had ended"
expect 0 "" "" again
expect 0 "40 whole, 0 not whole" "" mavrel-batch verify list 3601
expect 0 "40 finished, 0 failed, 0 not yet run" "" mavrel-batch status list
finish
