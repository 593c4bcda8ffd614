#!/usr/bin/env bash
# A device or a full file system (blocks or inodes) refuses the writes: the stage fails and the
# old files stay, both, and so does the target of a link; so does a file grown past the size
# limit, or memory for the heights but not the flags.
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
    expect 0 "old tile old flag" "" sh -c 'echo $(cat T T_flag)'
    cd ..
else
    skipped "cannot mount a small tmpfs with a device in it (needs root)"
fi
# An ext4 with room for the new heights beside the old pair, but not for the new flags too.
if mounted ext4 loop_image ext4 64M && tune2fs -r 0 "$(findmnt -no SOURCE "$work/ext4")" >/dev/null; then
    head -c 5768804 /dev/urandom >ext4/N40E007 && head -c 1442401 /dev/urandom >ext4/N40E007_flag
    cp ext4/N40E007* . && fallocate -l $(($(df -B1 --output=avail ext4 | tail -1) - 6500000)) ext4/filler
    expect 255 "failed to create mask: N40E007_flag: No space left on device" "" sh -c 'cd ext4 && mavrel N40E007 1201'
    expect 0 "" "" sh -c 'cmp N40E007 ext4/N40E007 && cmp N40E007_flag ext4/N40E007_flag && ! ls -A ext4 | grep mavrel'
else
    skipped "cannot mount an ext4 image (needs root and a loop device)"
fi

mkdir limit
expect 255 "failed to create tile: limit/T: File too large" "" sh -c 'ulimit -f 100 && mavrel limit/T 1000'
expect 0 "" "" ls -A limit

# Not under AddressSanitizer, whose shadow memory the limit would not hold.
if [ "$3" != ON ] && mkdir memory; then
    expect 255 "failed to create mask: std::bad_alloc" "" sh -c 'ulimit -v 114688 && mavrel memory/T 4096 -f int64'
    expect 0 "" "" ls -A memory
fi
finish
