#!/usr/bin/env bash
# Signals and kills: signals wait across the moments that must not be cut, and a run killed at
# any of its calls leaves each file old or complete, and nothing else.
# Usage: signals.sh SOURCE_DIR MAVREL_BINARY SANITIZED
source "$(dirname "$0")/common.sh"

# Signals wait from the link of a new file under a name of its own to its rename: a SIGTERM
# there ends the run once the file has the tile's name. Only SIGKILL can leave that name, and
# with it the file's lock dies: the next run of the tile removes it, a live one is left alone.
window() { (cd window && listing); }
mkdir window && (cd window && mavrel T 1)
held linkat:exit 1 mavrel window/T 300
holding && kill -TERM "$held_pid" && expect 143 "" "" released
expect 0 "T 360000 T_flag 1" "" window
held renameat 1 mavrel window/T 2
holding && expect 0 "" "" mavrel window/T 3
kill -KILL "$held_pid" && expect 137 "" "" released
expect 0 1 "" sh -c 'ls -A window | grep -c "^\.mavrel-"'
expect 0 "" "" mavrel window/T 1
expect 0 "T 4 T_flag 1" "" window

# A run killed at each of the writer's calls, from its first look at the tile's directory, by
# strace, leaves each file old or complete, and no other file but, killed between the link of
# a new file under a name of its own and its rename, that file, complete. Without the
# privilege to link a descriptor, as users run it, the unnamed file is linked through /proc.
# Each call is NAME:NTH, the run's NTH call of that name.
mkdir old new && (cd old && mavrel T 100) && (cd new && mavrel T 300 -d float64)
(cd new && ASAN_OPTIONS=detect_leaks=0 strace -qq -o ../calls.log $unprivileged mavrel T 300 -d float64)
calls=$(awk -F'(' '/O_PATH\|O_DIRECTORY/ { writing = 1 } { n[$1]++ } writing { print $1 ":" n[$1] }' calls.log)
killed_runs() { # DIRECTORY
    local call file left
    for call in $calls; do
        cp old/T old/T_flag "$1"
        { ASAN_OPTIONS=detect_leaks=0 strace -qq -o /dev/null -e inject="${call%:*}:signal=KILL:when=${call#*:}" \
            $unprivileged mavrel "$1/T" 300 -d float64 || true; } 2>/dev/null
        for file in T T_flag; do matches "$1/$file" {old,new}/$file || fail "a kill at $call left $1/$file mixed"; done
        left=$(cd "$1" && echo $(ls -A -I lost+found -I T -I T_flag))
        [[ -z $left ]] || { [[ $call == renameat:* && $left == .mavrel-* ]] && matches "$1/$left" new/T{,_flag}; } ||
            fail "a kill at $call left $left in $1"
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
