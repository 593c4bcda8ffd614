# Sourced by the shell tests with the arguments SOURCE_DIR MAVREL_BINARY: works in a scratch
# directory, removed at the end, with the built mavrel and the repository's scripts and
# examples on PATH, and offers expect() and helpers to describe files.
set -euo pipefail
PATH=$(dirname "$2"):$1/scripts:$1/examples:$PATH
work=$(mktemp -d)
trap 'umount "$work/full" 2>/dev/null || true; rm -rf "$work"' EXIT
chmod 755 "$work"
cd "$work"
failures=0

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

lines() { printf '%s\n' "$@"; }
hex() { od -An -v -tx1 "$@" | tr -d ' \n' && echo; }
# samples COUNT SIZE FIRST: the hex of COUNT samples of SIZE bytes, FIRST and zero bytes.
samples() { perl -e 'print unpack("H*", (chr($ARGV[2]) . "\0" x ($ARGV[1] - 1)) x $ARGV[0])' "$@"; }
# listing: the names and sizes of the files in the working directory, on one line.
listing() { echo $(stat -c '%n %s' $(ls -A)); }
