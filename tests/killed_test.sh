#!/usr/bin/env bash
# Kills a test that mounts or starts daemons with SIGKILL once it has them going, as a timeout
# does, and checks that it leaves no mount, loop device, process or scratch data behind.
# With the CONDITION "chroot" instead, runs the test, and this test on it, in a chroot, where
# / is no mount point: each must skip at once, saying so in one line.
# Usage: killed_test.sh SOURCE_DIR MAVREL_BINARY CONDITION TEST_SCRIPT [ARGUMENTS...], where
# CONDITION is "running NAME": the test has started a process NAME.
source "$(dirname "$0")/expect.sh"
[ "$(id -u)" -eq 0 ] || { skipped "mounts and daemons need root" && finish; }
chroot_skip="skipped: / is no mount point (a chroot?): no namespaces of its own"
mountpoint -q / || { skipped "${chroot_skip#skipped: }" && finish; }

# in_chroot COMMAND...: runs COMMAND in a chroot of this system's programs and the source
# tree, made in a mount namespace of its own.
in_chroot() {
    mkdir -p root/{usr,etc,dev,proc,tmp,run} "root$1" && (
        cd root
        for d in bin lib lib64 sbin; do [ ! -L "/$d" ] || ln -sfn "$(readlink "/$d")" "$d"; done
        unshare --mount --propagation private sh -ec 'for d in /usr /etc /dev /proc "$0"; do
            mount --rbind "$d" ".$d"; done; exec chroot . "$@"' "$1" "${@:2}"
    )
}
if [ "$3" = chroot ]; then
    for test in "$4 $1 $2" "killed_test.sh $1 $2 'running bindfs' $4"; do
        expect 77 "$chroot_skip" "" in_chroot "$1" timeout 20 sh -c "cd /tmp && bash $1/tests/$test"
    done
    finish
fi

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
finish
