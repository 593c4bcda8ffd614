#!/usr/bin/env bash
# A device or a full file system (blocks or inodes) refuses the writes: the stage fails and the
# old files stay, and so does the target of a link; so does a file grown past the size limit,
# or memory for the heights but not the flags.
# Usage: full_and_limits.sh SOURCE_DIR MAVREL_BINARY SANITIZED
source "$(dirname "$0")/common.sh"

if mounted full mount -t tmpfs -o size=256k,nr_inodes=6 tmpfs && mknod full/dev c 1 7; then
    cd full
    expect 255 "failed to create tile: dev: No space left on device" "" mavrel dev 8
    rm dev && echo old tile >T && echo old flag >T_flag && head -c 100000 /dev/urandom >target
    ln -s target S && cp target ../target && echo >last-inode
    expect 255 "failed to create tile: T: No space left on device" "" mavrel T 1 # no inode is left
    rm last-inode
    expect 255 "failed to create tile: S: No space left on device" "" mavrel S 400 -d int16
    expect 0 "" "" cmp target ../target
    rm S target
    expect 255 "failed to create tile: T: No space left on device" "" mavrel T 600 -d int16
    expect 255 "failed to create mask: T_flag: No space left on device" "" mavrel T 300 -d int16 -f int64
    expect 0 "T 180000 T_flag 9" "" listing
    expect 0 "$(samples 90000 2 0)" "" hex T
    expect 0 "old flag" "" cat T_flag
    cd ..
else
    skipped "cannot mount a small tmpfs with a device in it (needs root)"
fi

mkdir limit
expect 255 "failed to create tile: limit/T: File too large" "" sh -c 'ulimit -f 100 && mavrel limit/T 1000'
expect 0 "" "" ls -A limit

# Not under AddressSanitizer, whose shadow memory the limit would not hold.
if [ "$3" != ON ] && mkdir memory; then
    expect 255 "failed to create mask: std::bad_alloc" "" sh -c 'ulimit -v 114688 && mavrel memory/T 4096 -f int64'
    expect 0 "memory/T 67108864" "" stat -c '%n %s' memory/*
fi
finish
