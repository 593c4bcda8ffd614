#!/usr/bin/env bash
# Tests the built mavrel where the operating system takes part (metadata, closed directories,
# concurrent writers, full and faulted file systems, limits, signals).
# Usage: system_test.sh SOURCE_DIR MAVREL_BINARY SANITIZED (ON or OFF)

# Some rows set the kernel's protections of shared directories as Debian does. A watcher,
# started outside the test's namespaces, restores them should the test be killed; tests that
# set them take turns through a lock, which the watcher holds until it has restored them.
if [ "$(id -u)" -eq 0 ] && [ -z "${MAVREL_WORK:-}" ]; then
    exec {lock}>/run/mavrel-protections.lock
    exec {guard}> >(setsid sh -c 'read -r saved || exit; read -r _ || sysctl -qw $saved' >/dev/null 2>&1)
    export MAVREL_GUARD="$lock $guard"
fi
private=yes && source "$(dirname "$0")/expect.sh"
debian_protections() {
    read -r lock guard <<<"$MAVREL_GUARD" && flock "$lock"
    saved=$(sysctl fs.protected_symlinks fs.protected_regular fs.protected_fifos fs.protected_hardlinks | tr -d ' ')
    echo $saved >&"$guard" &&
        sysctl -qw fs.protected_symlinks=1 fs.protected_regular=2 fs.protected_fifos=1 fs.protected_hardlinks=1
}
protections_restored() { sysctl -qw $saved && echo restored >&"$guard" && flock -u "$lock"; }

cp "$(command -v mavrel)" "$work/mavrel-copy" # which other users may not reach where it was built
as_user() { if [ "$(id -u)" -eq 0 ]; then setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; else "$@"; fi; }

# A replaced file keeps its mode, owner, ACL and attributes, and a link its replaced target,
# found from the link's own directory; a new file gets what a plain open gives it: the umask,
# and the directory's default ACL. A pipe or FIFO is written as it is, and has no sync.
mkdir modes other && cd modes
echo old >T && chmod 604 T && echo old >target && ln -s target T_flag
ln -s ../other/L L && ln -s M L_flag && ln -s ../other/M M # M makes a chain of two
ln -s O O && expect 255 "failed to create tile: O: Too many levels of symbolic links" "" mavrel O 1
expect 0 "" "" sh -c 'umask 027 && mavrel T 1 && mavrel U 1 && cd .. && mavrel modes/L 1' <&-
expect 0 "604 640 640 target ../other/L M" "" sh -c 'echo $(stat -c %a T U U_flag) $(readlink T_flag L L_flag)'
expect 0 "$(samples 1 4 0)01$(samples 1 4 0)01$(samples 1 4 0)01" "" hex T target U U_flag ../other/L ../other/M
ln -s /dev/stdout N && mkfifo N_flag
(sleep 0.2 && timeout 9 cat N_flag >flag) & # read late
expect 0 "$(samples 4 4 0)" "" sh -c 'mavrel N 2 | od -An -v -tx1 | tr -d " \n" && echo'
expect 0 "" "" wait $! && expect 0 "$(samples 4 1 1)" "" hex flag
[ "$(id -u)" -eq 0 ] || skipped "keeping another owner and ACLs needs root"
if [ "$(id -u)" -eq 0 ]; then
    chown daemon:daemon T && setfacl -m g::r,g:daemon:rw T && setfattr -n user.survey -v 7 T
    # G's group cannot be kept by its owner, nobody: it is rewritten as it is. C's capability
    # would be void, and its user attribute is no ACL.
    echo old | tee G >C && chown nobody:daemon G && chmod 660 G && setfacl -m g:daemon:rw G
    # Set-id bits, the file capability and chattr flags are kept, on replacement and in place,
    # where the runner may set them: nobody may not give C a capability.
    capability=0sAQAAAgAgAAAAAAAAAAAAAAAAAAA= && echo old >S && chown daemon S && chmod 4755 S && chattr +dA S
    chown nobody C && setfattr -n user.system.posix_acl_access -v 1 C && setfattr -n security.capability -v $capability C
    setfattr -n security.capability -v $capability S && echo old >../bound && chmod 2755 ../bound &&
        setfattr -n security.capability -v $capability ../bound
    : >plain && setfacl -d -m g:daemon:rw . && chmod 777 . && kept=$(getfacl T plain G S && getfattr -d -m - T S && lsattr S)
    expect 0 "" "" sh -c 'umask 077 && mavrel T 2 && mavrel plain 1 && mavrel new 1 && mavrel S 1 && : >shell'
    expect 0 "" "" as_user sh -c '../mavrel-copy G 1 && ../mavrel-copy C 1'
    [ "$(getfacl T plain G S && getfattr -d -m - T S && lsattr S)" = "$kept" ] || fail "a replacement lost metadata"
    [ "$(getfacl -c new)" = "$(getfacl -c shell)" ] || fail "a new tile missed the default ACL"
    expect 0 "# file: C user.system.posix_acl_access 0" "" sh -c 'echo $(getfattr -m - C) $(getfacl -c C | grep -c daemon)'
    # A tile that is a mount point of its own cannot be renamed over: it is rewritten.
    : >B && mount --bind ../bound B && mounts+=("$PWD/B")
    expect 0 "" "" mavrel B 1 && expect 0 "$(samples 1 4 0)" "" hex ../bound
    expect 0 "2755 security.capability=$capability" "" sh -c 'echo $(stat -c %a ../bound) $(getfattr -e base64 -n security.capability ../bound | grep =)'
fi
cd ..

# A writable tile in a directory closed to its user is rewritten in place; a new one is refused.
mkdir closed && echo old | tee closed/T >closed/T_flag && chmod 666 closed/* && chmod 555 closed
unprivileged="setpriv --inh-caps=-dac_read_search --bounding-set=-dac_read_search"
expect 0 "" "" as_user sh -c 'cd closed && ../mavrel-copy T 2'
expect 255 "failed to create tile: U: Permission denied" "" as_user sh -c 'cd closed && ../mavrel-copy U 2'
# So is another user's in a shared sticky directory, under Debian's protections, and a run
# killed while it rewrites leaves no temporary file there; one made read-only is refused.
mkdir -m 1777 sticky && echo old | tee sticky/T sticky/O >sticky/T_flag && chmod 666 sticky/* && chmod 444 sticky/O
chown daemon sticky/* 2>/dev/null || true
[ "$(id -u)" -eq 0 ] && debian_protections || skipped "Debian's protections and other users need root"
if [ "$(id -u)" -eq 0 ]; then
    as_user strace -qq -o /dev/null -e inject=write:delay_enter=3000000 ./mavrel-copy sticky/T 2 2>/dev/null &
    for _ in $(seq 500); do [ -s sticky/T ] || break; sleep 0.01; done # until the rewrite begins
    kill -KILL "$(pgrep -P $!)" && expect 137 "" "" wait $!
    expect 0 "O T T_flag" "" sh -c 'echo $(ls -A sticky)'
fi
expect 0 "" "" as_user sh -c 'cd sticky && ../mavrel-copy T 2'
expect 255 "failed to create tile: O: Permission denied" "" as_user sh -c 'cd sticky && ../mavrel-copy O 2'
expect 0 "$(samples 4 4 0)$(samples 4 1 1)$(samples 4 4 0)$(samples 4 1 1)$(echo old | hex)" "" \
    hex closed/T closed/T_flag sticky/T sticky/T_flag sticky/O
chmod 755 closed
# There a link is followed only where the runner or the directory's owner owns it, at each
# step and to a directory too: planted links fail and touch nothing.
if [ "$(id -u)" -eq 0 ]; then
    mkdir -m 700 private && echo secret >private/key && ln -s sticky/P chain
    as_user sh -c 'ln -s ../private/key sticky/P && ln -s /dev/full sticky/D && ln -s ../private/new sticky/N &&
        ln -s ../private sticky/E'
    for t in chain sticky/D sticky/N sticky/E/T; do expect 255 "failed to create tile: $t: Permission denied" "" mavrel $t 1; done
    expect 0 "key secret" "" sh -c 'echo $(ls private) $(cat private/key)'
    ln -s ../private/key sticky/R && expect 0 "" "" mavrel sticky/R 1
    expect 0 "$(samples 1 4 0)" "" hex private/key
    # Nor is a FIFO that another user planted opened, nor a hard link to a third user's file
    # rewritten, which a member of its group could write; the kernel lets nobody make that
    # link only where protected_hardlinks is 0.
    echo victim >victim && chown daemon:daemon victim && chmod 660 victim && as_user mkfifo sticky/F
    sysctl -qw fs.protected_hardlinks=0 && as_user ln victim sticky/J_flag && sysctl -qw fs.protected_hardlinks=1
    expect 255 "failed to create tile: sticky/F: Permission denied" "" timeout 5 mavrel sticky/F 1
    expect 255 "failed to create mask: sticky/J_flag: Permission denied" "" \
        setpriv --reuid=bin --regid=bin --groups=daemon ./mavrel-copy sticky/J 2
    expect 0 "victim" "" cat victim
    protections_restored
fi

# A user's own files keep their set-id bits, replaced or rewritten in place, and one whose
# attributes the user may not read (a write-only file) or set (another security attribute)
# is rewritten in place rather than losing them.
mkdir -m 777 own
as_user sh -c 'cd own && echo old | tee S W X shut >/dev/null && chmod 4755 S && setfattr -n user.note -v 1 W &&
    chmod 200 W && rm shut && mkdir shut && echo old | tee shut/S >shut/S_flag && chmod 2755 shut/S && chmod 555 shut'
[ "$(id -u)" -ne 0 ] || setfattr -n security.note -v 1 own/X
kept=$(stat -c %i own/W own/X && [ "$(id -u)" -eq 0 ] || echo X)
expect 0 "" "" as_user sh -c 'cd own && ../mavrel-copy S 1 && ../mavrel-copy W 1 && ../mavrel-copy X 1 &&
    cd shut && ../../mavrel-copy S 1'
expect 0 "4755 200 2755" "" sh -c 'echo $(stat -c %a own/S own/W own/shut/S)'
[ "$(stat -c %i own/W own/X && [ "$(id -u)" -eq 0 ] || echo X)" = "$kept" ] || fail "an attribute made no rewrite in place"

# Eight writers of one tile at once, one file through a link, leave files of single runs.
configs=("64 -d int16" "128 -d int32 -f int16" "192 -d int64 -f int32" "256 -d float32 -f int64"
         "320 -d float64" "384 -f int16" "448 -d int16 -f int32" "512 -d int32 -f int64")
for i in "${!configs[@]}"; do mkdir "reference$i" && (cd "reference$i" && mavrel T ${configs[$i]}); done
mkdir race && cd race && ln -s target T_flag
for round in $(seq 20); do
    for config in "${configs[@]}"; do mavrel T $config & done
    for writer in $(jobs -p); do wait "$writer" || fail "a writer failed in round $round"; done
    [ "$(echo $(ls -A))" = "T T_flag target" ] || fail "round $round left $(ls -A)"
    matches T ../reference*/T && matches target ../reference*/T_flag || fail "round $round mixed runs"
done
cd ..

# A device or a full file system (blocks or inodes) refuses the writes: the stage fails and
# the old files stay, and so does the target of a link.
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

# A file grown past the size limit fails its stage and leaves nothing.
mkdir limit
expect 255 "failed to create tile: limit/T: File too large" "" sh -c 'ulimit -f 100 && mavrel limit/T 1000'
expect 0 "" "" ls -A limit

# Memory for the heights but not the flags fails the mask stage (not under AddressSanitizer).
if [ "$3" != ON ] && mkdir memory; then
    expect 255 "failed to create mask: std::bad_alloc" "" sh -c 'ulimit -v 114688 && mavrel memory/T 4096 -f int64'
    expect 0 "memory/T 67108864" "" stat -c '%n %s' memory/*
fi

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

# A file system that fails during a run's last sync fails the run, whether the tile was renamed
# or rewritten in place: strace holds the sync while ext4 fails and remounts read-only (the
# leak check cannot run under a tracer). XFS, shut down as on an I/O error, answers the
# directory's sync with success: the run fails all the same, and the old flag file is left.
held_sync() { # NTH FILE SIZE COMMAND...: runs COMMAND, its NTH fsync held, until FILE has SIZE bytes
    ASAN_OPTIONS=detect_leaks=0 strace -qq -o /dev/null -e trace=fsync \
        -e inject=fsync:delay_enter=3000000:when="$1" "${@:4}" &
    for _ in $(seq 1000); do [ "$(stat -c %s "$2" 2>/dev/null)" != "$3" ] || break; sleep 0.01; done
}
failing_sync() { # NTH FILE COMMAND...
    held_sync "$1" "$2" 1 "${@:3}"
    echo 1 >"/sys/fs/ext4/$(basename "$(findmnt -no SOURCE "$work/failing")")/trigger_fs_error"
    wait $!
}
shut_down_in_sync() { # NTH FILE SIZE COMMAND...
    held_sync "$@" && xfs_io -x -c shutdown "$work/xfs" && wait $!
}
if mounted failing loop_image ext4 16M && mount -o remount,errors=remount-ro failing; then
    expect 255 "failed to create mask: failing/T_flag: Read-only file system" "" \
        failing_sync 4 failing/T_flag mavrel failing/T 1
    umount failing && mkfs.ext4 -qF failing.img && mount -o loop,errors=remount-ro failing.img failing
    mkdir failing/closed && echo old | tee failing/closed/T >failing/closed/T_flag && chmod 666 failing/closed/*
    expect 255 "failed to create mask: failing/closed/T_flag: Read-only file system" "" failing_sync 2 \
        failing/closed/T_flag setpriv --reuid=nobody --regid=nogroup --clear-groups ./mavrel-copy failing/closed/T 1
else
    skipped "cannot mount an ext4 image (needs root and a loop device)"
fi
if mounted xfs loop_image xfs 300M; then
    mkdir xfs/d && mavrel xfs/d/T 100 && sync -f xfs
    expect 255 "failed to create mask: xfs/d/T_flag: Input/output error" "" \
        shut_down_in_sync 4 xfs/d/T_flag 90000 mavrel xfs/d/T 300
    umount xfs && mount -o loop xfs.img xfs
    expect 0 "xfs/d/T 360000 xfs/d/T_flag 10000" "" sh -c 'echo $(stat -c "%n %s" xfs/d/*)'
else
    skipped "cannot mount an XFS image (needs root and a loop device)"
fi

# Keeping the old file's identity failing other than for want of permission (a group quota
# refusing the fchown, a disk failing as the attributes are listed) fails the run, and the old
# tile stays.
for fault in "fchown EDQUOT Disk quota exceeded" "flistxattr EIO Input/output error"; do
    read -r call error message <<<"$fault" && echo "an old tile" >identity
    expect 255 "failed to create tile: identity: $message" "" env ASAN_OPTIONS=detect_leaks=0 \
        strace -qq -o /dev/null -e inject="$call:error=$error" mavrel identity 3
    expect 0 "an old tile" "" cat identity
done

# An append-only or immutable directory takes no replacement, and keeps no temporary file; an
# append-only or immutable file stays as it is.
if [ "$(id -u)" -eq 0 ] && mkdir fixed-a fixed-i fixed && echo old | tee fixed-a/T fixed-i/T fixed/A >fixed/I &&
    chattr +a fixed-a fixed/A && chattr +i fixed-i fixed/I; then
    for tile in fixed-a/T fixed-i/T fixed/A fixed/I; do
        expect 255 "failed to create tile: $tile: Operation not permitted" "" mavrel $tile 1
    done
    expect 0 "fixed: A I fixed-a: T fixed-i: T old old" "" sh -c 'echo $(ls -A fixed fixed-a fixed-i) $(cat fixed/A fixed/I)'
    chattr -a fixed-a fixed/A && chattr -i fixed-i fixed/I
else
    skipped "chattr +a and +i need root and a file system that has them"
fi

# Signals wait from the link of a new file under a name of its own to its rename: a SIGTERM
# there ends the run once the file has the tile's name. Only SIGKILL can leave that name, and
# with it the file's lock dies: the next run of the tile removes it, a live one is left alone.
held_in() { # SYSCALL WHEN COMMAND...: runs COMMAND, SYSCALL held, until a .mavrel-* is in window
    ASAN_OPTIONS=detect_leaks=0 strace -qq -o /dev/null -e trace="$1" \
        -e inject="$1:$2=5000000:when=1" "${@:3}" &
    for _ in $(seq 500); do [ -z "$(find window -name '.mavrel-*')" ] || break; sleep 0.01; done
}
window() { (cd window && listing); }
reaped() { wait "$1" 2>/dev/null; } # without the shell's note of how the job ended
mkdir window && (cd window && mavrel T 1)
held_in linkat delay_exit mavrel window/T 300
kill -TERM "$(pgrep -P $!)" && expect 143 "" "" reaped $!
expect 0 "T 360000 T_flag 1" "" window
held_in renameat delay_enter mavrel window/T 2
expect 0 "" "" mavrel window/T 3
kill -KILL "$(pgrep -P $!)" && expect 137 "" "" reaped $!
expect 0 1 "" sh -c 'ls -A window | grep -c "^\.mavrel-"'
expect 0 "" "" mavrel window/T 1
expect 0 "T 4 T_flag 1" "" window

# A run killed at any moment leaves each file old or complete, and no other file: without
# the privilege to link a descriptor, as users run it, the unnamed file is linked through /proc.
mkdir old new && (cd old && mavrel T 100)
start=$EPOCHREALTIME && (cd new && mavrel T 8192 -d float64)
run=$(awk "BEGIN { print $EPOCHREALTIME - $start }")
killed_runs() {
    for moment in $(seq 0 9); do
        cp old/T old/T_flag "$1"
        $unprivileged mavrel "$1/T" 8192 -d float64 & sleep "$(awk "BEGIN { print $run * $moment / 10 }")"
        kill -KILL $! 2>/dev/null || true
        wait $! 2>/dev/null || true
        for file in T T_flag; do matches "$1/$file" {old,new}/$file || fail "a kill left $1/$file mixed"; done
        [ "$(echo $(ls -A -I lost+found "$1"))" = "T T_flag" ] || fail "a kill left $(ls -A "$1") in $1"
    done
}
if mounted killed-ext4 loop_image ext4 2G && mounted killed-tmpfs mount -t tmpfs -o size=2g tmpfs; then
    killed_runs killed-ext4 && killed_runs killed-tmpfs
else
    skipped "cannot mount ext4 and tmpfs (needs root and a loop device)"
fi

# Where files cannot be unnamed (FUSE here, as NFS), a named temporary file stands in. Every
# signal that ends a run removes it (SIGPIPE does not end a run), and only SIGKILL leaves it, for
# the next run of the tile to remove. A file system without extended attributes (this FUSE
# mount) or without ACLs (ramfs) has none to keep.
if mounted ramfs mount -t ramfs ramfs; then
    echo old >ramfs/T && expect 0 "" "" mavrel ramfs/T 1
else
    skipped "cannot mount ramfs (needs root)"
fi
temporary_made() { for _ in $(seq 12000); do [ -z "$(find . -name '.mavrel-*')" ] || break; sleep 0.01; done; }
if [ "$(id -u)" -eq 0 ] && mkdir -m 1777 fuse-source && mounted fuse bindfs --xattr-none fuse-source; then
    cd fuse && echo old tile >T
    for signal in TERM:143 XCPU:152 PWR:158 RTMIN:162 KILL:137; do
        mavrel T 8192 <&- & # the temporary file gets descriptor 0
        temporary_made && kill -"${signal%:*}" $! && expect "${signal#*:}" "" "" reaped $!
        [ "${signal%:*}" = KILL ] || expect 0 "T 9" "" listing
    done
    expect 0 1 "" sh -c 'ls -A | grep -c "^\.mavrel-"'
    expect 0 "" "" mavrel T 2 && expect 0 "T 16 T_flag 4" "" listing
    expect 255 "failed to create tile: T: Input/output error" "" env ASAN_OPTIONS=detect_leaks=0 \
        strace -qq -o /dev/null -e trace=fsync -e inject=fsync:error=EIO:when=1 mavrel T 3
    expect 0 "T 16 T_flag 4" "" listing # a failed run leaves no temporary file either
    mavrel T 8192 & temporary_made && kill -PIPE $! && expect 0 "" "" reaped $!
    expect 0 "T 268435456 T_flag 67108864" "" listing
    # The temporary file of a replacement is the runner's alone while it lives: another user
    # who opens every new .mavrel-* file, under umask 000, gets no descriptor to write to, even
    # while strace holds the run at its fchown.
    echo old | tee T >T_flag && chmod 600 T T_flag
    as_user bash -c 'declare -A opened; until [ -e stop ]; do for f in .mavrel-*; do
        [ -n "${opened[$f]:-}" ] || { exec {fd}<>"$f"; } 2>/dev/null && opened[$f]=$fd; done; done
        for fd in "${opened[@]}"; do echo planted >&"$fd"; done' &
    (umask 000 && ASAN_OPTIONS=detect_leaks=0 strace -qq -o /dev/null -e trace=fchown \
        -e inject=fchown:delay_enter=1000000 mavrel T 64) && touch stop && wait $!
    expect 0 "600 600 0" "" sh -c 'echo $(stat -c %a T T_flag) $(cat T T_flag | grep -ac planted)'
    cd ..
else
    skipped "cannot mount bindfs (needs root and FUSE)"
fi
# A new tile there gets what a new file from the shell gets, by the umask or a default ACL.
if [ "$(id -u)" -eq 0 ] && mkdir -p acl-source/acl && setfacl -d -m g:daemon:rw acl-source/acl &&
    mounted acl-fuse bindfs acl-source; then
    for mask in 077 022 000; do
        (umask $mask && cd acl-fuse && mavrel T$mask 1 && : >S$mask && cd acl && mavrel T$mask 1 && : >S$mask)
        for dir in acl-fuse acl-fuse/acl; do
            [ "$(cd $dir && stat -c %a T$mask && getfacl -c T$mask)" = "$(cd $dir && stat -c %a S$mask && getfacl -c S$mask)" ] ||
                fail "a new tile in $dir under umask $mask got other permissions than the shell's file"
        done
    done
else
    skipped "cannot mount bindfs with ACLs (needs root and FUSE)"
fi

# Without /proc a privileged run links by descriptor; others, and one whose link the kernel
# refuses (as before Linux 6.10 in a user namespace), use a named file (ASan needs /proc).
[ "$(id -u)" -eq 0 ] || skipped "unmounting /proc needs root"
if [ "$(id -u)" -eq 0 ] && [ "$3" != ON ] && mkdir noproc; then
    expect 0 "" "" unshare -m sh -c 'while mountpoint -q /proc; do umount -l /proc; done && mavrel noproc/T 1 &&
        '"$unprivileged"' mavrel noproc/U 1 && strace -qq -o /dev/null -e inject=linkat:error=ENOENT mavrel noproc/V 1'
    expect 0 "$(samples 1 4 0)01$(samples 1 4 0)01$(samples 1 4 0)01" "" hex noproc/{T,T_flag,U,U_flag,V,V_flag}
fi

finish
