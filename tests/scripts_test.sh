#!/usr/bin/env bash
# Tests scripts/tile-names, and the README's batch recipes against the built mavrel: a GNU
# parallel batch with a joblog, resumed after a failure, and the strict wrapper.
# Usage: scripts_test.sh SOURCE_DIR MAVREL_BINARY
set -euo pipefail
PATH=$(dirname "$2"):$1/scripts:$1/examples:$PATH
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0

# expect STATUS STDOUT STDERR COMMAND...: compares a command's status and both its streams.
expect() {
    local status=$1 out=$2 err=$3 actual=0
    shift 3
    "$@" >out 2>err || actual=$?
    if [[ $actual != "$status" || $(<out) != "$out" || $(<err) != "$err" ]]; then
        echo "FAIL: $*: status $actual, output '$(<out)', errors '$(<err)'" >&2
        failures=$((failures + 1))
    fi
}
lines() { printf '%s\n' "$@"; }

expect 0 "$(lines N44E006 N44E007 N45E006 N45E007)" "" tile-names 44 46 6 8
expect 0 "$(lines S01W001 S01E000 N00W001 N00E000)" "" tile-names -1 1 -1 1
expect 0 "$(lines S90W180 N89E179)" "" sh -c 'tile-names -90 90 -180 180 | sed -n "1p;\$p"'
expect 0 "N08W010" "" tile-names 08 +9 -010 -9
expect 2 "" "tile-names: usage: tile-names SOUTH NORTH WEST EAST (whole degrees)" tile-names 1 2 3
expect 2 "" "tile-names: SOUTH is not a whole number of degrees: 'a'" tile-names a 1 0 1
expect 2 "" "tile-names: EAST is not a whole number of degrees: '1.5'" tile-names 0 1 0 1.5
expect 2 "" "tile-names: SOUTH 2 lies north of NORTH 1" tile-names 2 1 0 1
expect 2 "" "tile-names: WEST 3 lies east of EAST -1" tile-names 0 1 3 -1
expect 2 "" "tile-names: SOUTH -91 lies beyond -90 to 90" tile-names -91 0 0 1
expect 2 "" "tile-names: EAST 181 lies beyond -180 to 180" tile-names 0 1 0 181

expect 2 "" "unrecognised commandline argument: datatype" mavrel-strict T 1 --datatype int16
expect 255 "failed to create tile: no/T: No such file or directory" "" mavrel-strict no/T 1
expect 0 "" "" mavrel-strict T 1

mkdir tiles
lines tiles/N44E006 missing/N44E007 tiles/N45E006 tiles/N45E007 >batch
expect 255 "failed to create tile: missing/N44E007: No such file or directory" \
    "$(lines 'parallel: This job failed:' 'mavrel missing/N44E007 3')" \
    parallel --halt now,fail=1 --joblog tiles.log mavrel {} 3 <batch
expect 0 "mavrel missing/N44E007 3" "" awk -F'\t' '$7 == 255 { print $9 }' tiles.log
mkdir missing
expect 0 "" "" parallel --resume-failed --halt now,fail=1 --joblog tiles.log mavrel {} 3 <batch
head -c 36 /dev/zero >zeros
head -c 9 /dev/zero | tr '\0' '\1' >ones
for tile in $(<batch); do
    expect 0 "" "" cmp "$tile" zeros
    expect 0 "" "" cmp "${tile}_flag" ones
done
expect 0 "$(sed p batch | sed '2~2s/$/_flag/' | sort)" "" sh -c 'find tiles missing -type f | sort'
[ "$failures" -eq 0 ]
