#!/usr/bin/env bash
# Where files cannot be unnamed (FUSE here, as NFS), a named temporary file stands in: every
# signal that ends a run removes it, and so does a lock that fails; it is the runner's alone
# while it lives, and no other run touches it, through another mount that shares no locks
# either. A file system without extended attributes (this FUSE mount) or without ACLs (ramfs)
# has none to keep, and a new tile there gets what a new file from the shell gets.
# Usage: fuse.sh SOURCE_DIR MAVREL_BINARY SANITIZED
source "$(dirname "$0")/common.sh"

# Mounted first, so that the killed twin of this section finds bindfs running early.
if [ "$(id -u)" -eq 0 ] && mkdir -m 1777 fuse-source && mounted fuse bindfs --xattr-none fuse-source &&
    mounted fuse2 bindfs --xattr-none fuse-source; then
    cd fuse && echo old tile >T
    # SIGPIPE does not end a run; SIGKILL alone leaves the temporary file, which no run removes.
    for signal in TERM:143 XCPU:152 PWR:158 RTMIN:162 PIPE:0 KILL:137; do
        held fsync 1 sh -c 'exec mavrel T 2 <&-' # the temporary file gets descriptor 0
        holding && kill -"${signal%:*}" "$held_pid" && expect "${signal#*:}" "" "" released
        case ${signal%:*} in
        PIPE) expect 0 "T 16 T_flag 4" "" listing && echo old tile >T && rm T_flag ;;
        KILL) ;;
        *) expect 0 "T 9" "" listing ;;
        esac
    done
    expect 0 "" "" mavrel T 2 && expect 0 1 "" sh -c 'ls -A | grep -c "^\.mavrel-T\."'; rm -f .mavrel-*
    expect 255 "failed to create tile: T: Input/output error" "" env ASAN_OPTIONS=detect_leaks=0 \
        strace -qq -o /dev/null -e trace=fsync -e inject=fsync:error=EIO:when=1 mavrel T 3
    expect 0 "T 16 T_flag 4" "" listing # a failed run leaves no temporary file either
    # Nor one whose lock fails: a file system without locks (ENOSYS) leaves it unlocked.
    for fault in "ENOSYS 0" "EIO 255 failed to create tile: T: Input/output error"; do
        read -r error status message <<<"$fault"
        expect "$status" "$message" "" env ASAN_OPTIONS=detect_leaks=0 \
            strace -qq -o /dev/null -e inject=flock:error="$error" mavrel T 3
    done
    expect 0 "T 36 T_flag 9" "" listing
    # A run held at its sync while another writes the tile through the other mount renames its
    # own file all the same; without a hold, of two runs at once at width 8000 one that finds
    # the other's file under its name fails, and the tile is whole, and that of a run of status
    # 0 where only one had it.
    held fsync 1 mavrel T 300
    holding && expect 0 "" "" mavrel ../fuse2/T 2 && expect 0 "" "" released
    expect 0 "T 360000 T_flag 90000" "" eval '(cd ../fuse-source && listing)'
    for round in 1 2; do
        for run in "T 256000000" "../fuse2/T 128000000 -d int16"; do
            read -r tile size options <<<"$run" && { mavrel "$tile" 8000 $options >>said && echo "$size" >>sizes; } &
        done
        # What each mount's kernel shows of the other's renames may lag: the source tells.
        wait && touch sizes && size=$(stat -c %s ../fuse-source/T)
        grep -qx "$size" sizes || [ ! -s sizes ] || fail "a wrong tile after status 0"
        grep -vx 'failed to create \(tile: T\|mask: T_flag\): Stale file handle' said && fail "a run said that"
        cmp -s -n "$size" ../fuse-source/T /dev/zero && rm said sizes || fail "round $round left a tile not zero"
    done
    expect 0 "T_flag 64000000" "" sh -c 'cd ../fuse-source && echo $(stat -c "%n %s" T_flag .mavrel-* 2>/dev/null)' 
    # The temporary file of a replacement is the runner's alone while it lives: another user
    # who opens every new .mavrel-* file, under umask 000, gets no descriptor to write to, even
    # while strace holds the run at its fchown.
    echo old | tee T >T_flag && chmod 600 T T_flag
    as_user bash -c 'declare -A opened; until [ -e stop ]; do for f in .mavrel-*; do
        [ -e "$f" ] && : >>tried; [ -n "${opened[$f]:-}" ] || { exec {fd}<>"$f"; } 2>/dev/null && opened[$f]=$fd
        done; done; for fd in "${opened[@]}"; do echo planted >&"$fd"; done' &
    umask 000 && held fchown 1 mavrel T 64 && umask 022
    holding && for _ in $(seq 1000); do [ ! -e tried ] || break; sleep 0.01; done
    expect 0 600 "" sh -c 'stat -c %a .mavrel-T.*' && expect 0 "" "" released
    touch stop && wait $! && rm stop tried
    expect 0 "600 600 0" "" sh -c 'echo $(stat -c %a T T_flag) $(cat T T_flag | grep -ac planted)'
    cd ..
else
    skipped "cannot mount bindfs (needs root and FUSE)"
fi
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
if mounted ramfs mount -t ramfs ramfs; then
    echo old >ramfs/T && expect 0 "" "" mavrel ramfs/T 1
else
    skipped "cannot mount ramfs (needs root)"
fi
finish
