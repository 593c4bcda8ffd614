#!/usr/bin/env bash
# Eight writers of one tile at once, one file through a link, leave files of single runs; a
# writer that finds another's file under a name it has just renamed fails, in one line.
# Usage: concurrency.sh SOURCE_DIR MAVREL_BINARY SANITIZED
source "$(dirname "$0")/common.sh"

configs=("64 -d int16" "128 -d int32 -f int16" "192 -d int64 -f int32" "256 -d float32 -f int64"
         "320 -d float64" "384 -f int16" "448 -d int16 -f int32" "512 -d int32 -f int64")
for i in "${!configs[@]}"; do mkdir "reference$i" && (cd "reference$i" && mavrel T ${configs[$i]}); done
mkdir race && cd race && ln -s target T_flag
stale=$'failed to create (tile: T|mask: T_flag): Stale file handle\n255'
for round in $(seq 20); do
    for i in "${!configs[@]}"; do { mavrel T ${configs[$i]} 2>&1 && echo 0 || echo $?; } >"../said$i" & done
    wait
    for said in ../said*; do [[ $(<"$said") =~ ^(0|$stale)$ ]] || fail "round $round: a writer said $(<"$said")"; done
    [ "$(echo $(ls -A))" = "T T_flag target" ] || fail "round $round left $(ls -A)"
    matches T ../reference*/T && matches target ../reference*/T_flag || fail "round $round mixed runs"
done
finish
