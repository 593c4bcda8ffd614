#!/usr/bin/env bash
# Signals and kills: signals wait across the moments that must not be cut, and a run killed at
# any of its calls leaves each file old or complete, and nothing else.
# Usage: signals.sh SOURCE_DIR MAVREL_BINARY SANITIZED
source "$(dirname "$0")/common.sh"

# Signals wait from the link of a complete new file under a name of its own until a signal
# would remove that name: a SIGTERM there ends the run without it, and the old pair stays. They
# wait across the renames of both files too. Only SIGKILL leaves such names, which no later run
# removes (the batch's verify does).
window() { (cd window && listing); }
mkdir window && (cd window && mavrel T 1)
held linkat:exit 1 mavrel window/T 300
holding && kill -TERM "$held_pid" && expect 143 "" "" released
expect 0 "T 4 T_flag 1" "" window
held renameat:exit 1 mavrel window/T 2
holding && kill -TERM "$held_pid" && expect 143 "" "" released
expect 0 "T 16 T_flag 4" "" window
held renameat 1 mavrel window/T 3
holding && expect 0 "" "" mavrel window/T 1
kill -KILL "$held_pid" && expect 137 "" "" released
expect 0 "" "" mavrel window/T 1
expect 0 "36 9" "" sh -c 'echo $(stat -c %s window/.mavrel-T.* window/.mavrel-T_flag.*)'
rm window/.mavrel-*
# A run killed at each of the writer's calls, from its first look at the tile's directory, by
# strace, leaves each file old or complete, both old until the first rename, and no other file
# but, killed once a new file is linked under a name of its own, that file, complete. Without
# the privilege to link a descriptor, as users run it, the unnamed file is linked through
# /proc. Each call is NAME:NTH, the run's NTH call of that name.
mkdir old new && (cd old && mavrel T 100) && (cd new && mavrel T 300 -d float64)
(cd new && ASAN_OPTIONS=detect_leaks=0 strace -qq -o ../calls.log $unprivileged mavrel T 300 -d float64)
calls=$(awk -F'(' '/O_PATH\|O_DIRECTORY/ { writing = 1 } { n[$1]++ } writing { print $1 ":" n[$1] }' calls.log)
killed_runs() { # DIRECTORY
    local call file left renamed=
    for call in $calls; do
        cp old/T old/T_flag "$1"
        { ASAN_OPTIONS=detect_leaks=0 strace -qq -o /dev/null -e inject="${call%:*}:signal=KILL:when=${call#*:}" \
            $unprivileged mavrel "$1/T" 300 -d float64 || true; } 2>/dev/null
        for file in T T_flag; do matches "$1/$file" ${renamed:+new/$file} old/$file || fail "a kill at $call left $1/$file"; done
        [ "$call" != renameat:1 ] || renamed=yes
        for left in $(cd "$1" && ls -A -I lost+found -I T -I T_flag); do
            [[ $left == .mavrel-* ]] && matches "$1/$left" new/T{,_flag} || fail "a kill at $call left $left in $1"
        done
        rm -f "$1"/.mavrel-*
    done
}
[ "$(wc -w <<<"$calls")" -gt 30 ] || fail "too few calls to kill at: $calls"
if mounted killed-ext4 loop_image ext4 64M && mounted killed-tmpfs mount -t tmpfs -o size=64m tmpfs; then
    killed_runs killed-ext4 && killed_runs killed-tmpfs
else
    skipped "cannot mount ext4 and tmpfs (needs root and a loop device)"
fi
finish
