#!/usr/bin/env bash
# Kills a test that mounts or starts daemons with SIGKILL once it has them going, as a timeout
# does, and checks that it leaves no mount, loop device, process or scratch data behind.
# Usage: killed_test.sh SOURCE_DIR MAVREL_BINARY CONDITION TEST_SCRIPT [ARGUMENTS...], where
# CONDITION is "running NAME": the test has started a process NAME.
source "$(dirname "$0")/expect.sh"
[ "$(id -u)" -eq 0 ] || { echo "skipped: mounts and daemons need root" && exit 0; }

# The test's processes (by their environment or command line), loop devices and mounts are
# known by its scratch directory.
mkdir tmp
ours() { grep -lsF "$work/tmp/" /proc/[0-9]*/{environ,cmdline} | cut -d/ -f3 | sort -u; }
running() { for pid in $(ours); do [ "$(cat "/proc/$pid/comm" 2>/dev/null)" != "$1" ] || return 0; done; false; }
loops() { losetup -l -n -O BACK-FILE | grep "^$work/" || true; }
leftovers() {
    for pid in $(ours); do cat "/proc/$pid/comm" 2>/dev/null || true; done
    loops && findmnt -rn -o TARGET | grep "^$work/" || true
    find tmp -mindepth 1 ! -empty
}
TMPDIR=$work/tmp bash "$(dirname "$0")/$4" "$1" "$2" "${@:5}" >test.log 2>&1 &
for _ in $(seq 1800); do $3 && break; sleep 0.1; done
$3 || fail "the test never got to $3: $(tail -n 2 test.log)"
kill -KILL $! && wait $! 2>/dev/null || true
for _ in $(seq 50); do [ -z "$(leftovers)" ] && break; sleep 0.1; done
expect 0 "" "" leftovers
[ "$failures" -eq 0 ]
