# Sourced by the shell tests with the arguments SOURCE_DIR MAVREL_BINARY: a scratch directory,
# removed at the end, mavrel and the source tree's tiles.sbatch on PATH, expect() and helpers.
set -euo pipefail
PATH=$(dirname "$2"):$1/src/mavrel-batch:$PATH
failures=0 skips=0

# skipped REASON: says that checks could not run, and why; the test then ends as skipped.
skipped() {
    echo "skipped: $*"
    skips=$((skips + 1))
}
# finish: ends the test: failed if a check failed, else skipped (77, CTest's SKIP_RETURN_CODE)
# if checks could not run.
finish() {
    [ "$failures" -eq 0 ] || exit 1
    [ "$skips" -eq 0 ] || exit 77
    exit 0
}
# A test that mounts or starts daemons sets private=yes. As root it then runs in a mount and
# process namespace of its own, with its scratch space on a tmpfs there, so that when it ends,
# however it ends, the kernel takes its mounts, loop devices and processes away. Only the
# empty scratch directory stays behind, should the test be killed.
if [ "${private:-}" = yes ] && [ "$(id -u)" -eq 0 ] && [ -z "${MAVREL_WORK:-}" ]; then
    # In a chroot, where / is no mount point, the kernel gives no mount namespace of its own.
    mountpoint -q / || { skipped "/ is no mount point (a chroot?): no namespaces of its own" && finish; }
    export MAVREL_WORK && MAVREL_WORK=$(mktemp -d) && status=0
    setpriv --pdeathsig KILL unshare --mount --propagation private --pid --fork --kill-child \
        --mount-proc bash "$0" "$@" || status=$?
    rmdir "$MAVREL_WORK" && exit "$status"
fi
work=${MAVREL_WORK:-$(mktemp -d)}
[ -z "${MAVREL_WORK:-}" ] || mount -t tmpfs tmpfs "$work"
# The end stops what the test started in the background, by process id.
trap 'cd / && { kill $(jobs -p) 2>/dev/null || true; } && wait; [ -n "${MAVREL_WORK:-}" ] || rm -rf "$work"' EXIT
trap 'exit 143' TERM INT HUP # so that a stopped test cleans up too
chmod 755 "$work"
cd "$work"
if [ -n "${MAVREL_EMULATOR:-}" ]; then # a cross build's mavrel runs through its emulator
    mkdir .emulated && printf '#!/bin/sh\nexec %s %s "$@"\n' "$MAVREL_EMULATOR" "$2" >.emulated/mavrel
    chmod +x .emulated/mavrel && PATH=$work/.emulated:$PATH
fi

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# expect STATUS STDOUT STDERR COMMAND...: runs a command and checks its status and both its
# streams, each of which must be the text given and a newline, or nothing for "".
expect() {
    local status=$1 out=${2:+$2$'\n'} err=${3:+$3$'\n'} actual=0 got_out got_err
    shift 3
    "$@" >"$work/.out" 2>"$work/.err" || actual=$?
    got_out=$(cat "$work/.out" && echo .) got_err=$(cat "$work/.err" && echo .)
    [[ $actual == "$status" && $got_out == "$out." && $got_err == "$err." ]] ||
        fail "$*: status $actual, output '${got_out%.}', errors '${got_err%.}'"
}

# mounted DIR COMMAND...: mounts with COMMAND... DIR at the new DIR, gone with the namespace.
mounted() { [ -n "${MAVREL_WORK:-}" ] && mkdir "$work/$1" && "${@:2}" "$work/$1" 2>/dev/null; }
# started COMMAND...: runs a daemon in the background, stopped at the end; messages in daemons.log.
started() { "$@" >>"$work/daemons.log" 2>&1 & }
# loop_image TYPE SIZE DIR: makes a file system of TYPE (ext4, xfs) in an image DIR.img of
# SIZE and mounts it at DIR.
loop_image() { truncate -s "$2" "$3.img" && mkfs."$1" -q "$3.img" && mount -o loop "$3.img" "$3"; }

lines() { printf '%s\n' "$@"; }
hex() { od -An -v -tx1 "$@" | tr -d ' \n' && echo; }
# samples COUNT SIZE FIRST: the hex of COUNT samples of SIZE bytes, FIRST and zero bytes.
samples() { perl -e 'print unpack("H*", (chr($ARGV[2]) . "\0" x ($ARGV[1] - 1)) x $ARGV[0])' "$@"; }
# matches FILE CANDIDATE...: whether FILE holds the bytes of one of the candidates.
matches() { for candidate in "${@:2}"; do cmp -s "$1" "$candidate" && return; done; false; }
# listing: the names and sizes of the files in the working directory, on one line.
listing() { echo $(stat -c '%n %s' $(ls -A)); }
