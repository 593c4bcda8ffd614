#!/usr/bin/env bash
# Status 0 survives a power cut, and a file system that fails during a run's last sync fails
# the run: ext4 images shut down or failing, and an XFS shut down while a sync is held.
# Usage: power_cut.sh SOURCE_DIR MAVREL_BINARY SANITIZED
source "$(dirname "$0")/common.sh"

# A power cut right after the runs exit keeps every tile they wrote, new or replaced, named
# from another file system, or in a directory that its user may not read: the file system
# shuts down without flushing its journal, as a cut would leave it.
mkdir expected && (cd expected && mavrel T 300 -d int16)
if mounted power loop_image ext4 64M; then
    mkdir -m 733 power/box
    (cd power && mavrel OLD 10 && sync && for t in A B OLD; do mavrel $t 300 -d int16; done) &&
        mavrel power/C 300 -d int16 && as_user ./mavrel-copy power/box/D 300 -d int16 &&
        xfs_io -x -c shutdown power
    umount power && mount -o loop power.img power
    for t in A B C OLD box/D; do expect 0 "" "" sh -c "cmp power/$t expected/T && cmp power/${t}_flag expected/T_flag"; done
else
    skipped "cannot mount an ext4 image (needs root and a loop device)"
fi

# Whether the tile was renamed or rewritten in place: strace holds the sync while ext4 fails and
# remounts read-only. XFS, shut down as on an I/O error, answers the directory's sync with
# success: the run fails all the same, though the sync of the first name took both renames to
# the log.
failing_sync() { # NTH COMMAND...: ext4 fails while the NTH fsync of COMMAND is held
    held fsync "$@" && holding &&
        echo 1 >"/sys/fs/ext4/$(basename "$(findmnt -no SOURCE "$work/failing")")/trigger_fs_error" && released
}
if mounted failing loop_image ext4 16M && mount -o remount,errors=remount-ro failing; then
    expect 255 "failed to create mask: failing/T_flag: Read-only file system" "" \
        failing_sync 4 mavrel failing/T 1
    umount failing && mkfs.ext4 -qF failing.img && mount -o loop,errors=remount-ro failing.img failing
    mkdir failing/closed && echo old | tee failing/closed/T >failing/closed/T_flag && chmod 666 failing/closed/*
    expect 255 "failed to create mask: failing/closed/T_flag: Read-only file system" "" \
        failing_sync 2 $nobody ./mavrel-copy failing/closed/T 1
else
    skipped "cannot mount an ext4 image (needs root and a loop device)"
fi
if mounted xfs loop_image xfs 300M; then
    mkdir xfs/d && mavrel xfs/d/T 100 && sync -f xfs
    shut_down_in_sync() { held fsync 4 mavrel xfs/d/T 300 && holding && xfs_io -x -c shutdown "$work/xfs" && released; }
    expect 255 "failed to create mask: xfs/d/T_flag: Input/output error" "" shut_down_in_sync
    umount xfs && mount -o loop xfs.img xfs
    expect 0 "xfs/d/T 360000 xfs/d/T_flag 90000" "" sh -c 'echo $(stat -c "%n %s" xfs/d/*)'
else
    skipped "cannot mount an XFS image (needs root and a loop device)"
fi
finish
