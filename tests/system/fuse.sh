#!/usr/bin/env bash
# Where files cannot be unnamed (FUSE here, as NFS), a named temporary file stands in: every
# signal that ends a run removes it, and it is the runner's alone while it lives. A file system
# without extended attributes (this FUSE mount) or without ACLs (ramfs) has none to keep, and
# a new tile there gets what a new file from the shell gets.
# Usage: fuse.sh SOURCE_DIR MAVREL_BINARY SANITIZED
source "$(dirname "$0")/common.sh"

# Mounted first, so that the killed twin of this section finds bindfs running early.
if [ "$(id -u)" -eq 0 ] && mkdir -m 1777 fuse-source && mounted fuse bindfs --xattr-none fuse-source; then
    cd fuse && echo old tile >T
    # SIGPIPE does not end a run; SIGKILL alone leaves the temporary file, for the next run of
    # the tile to remove.
    for signal in TERM:143 XCPU:152 PWR:158 RTMIN:162 PIPE:0 KILL:137; do
        held fsync 1 sh -c 'exec mavrel T 2 <&-' # the temporary file gets descriptor 0
        holding && kill -"${signal%:*}" "$held_pid" && expect "${signal#*:}" "" "" released
        case ${signal%:*} in
        PIPE) expect 0 "T 16 T_flag 4" "" listing && echo old tile >T && rm T_flag ;;
        KILL) ;;
        *) expect 0 "T 9" "" listing ;;
        esac
    done
    expect 0 1 "" sh -c 'ls -A | grep -c "^\.mavrel-"'
    expect 0 "" "" mavrel T 2 && expect 0 "T 16 T_flag 4" "" listing
    expect 255 "failed to create tile: T: Input/output error" "" env ASAN_OPTIONS=detect_leaks=0 \
        strace -qq -o /dev/null -e trace=fsync -e inject=fsync:error=EIO:when=1 mavrel T 3
    expect 0 "T 16 T_flag 4" "" listing # a failed run leaves no temporary file either
    # The temporary file of a replacement is the runner's alone while it lives: another user
    # who opens every new .mavrel-* file, under umask 000, gets no descriptor to write to, even
    # while strace holds the run at its fchown.
    echo old | tee T >T_flag && chmod 600 T T_flag
    as_user bash -c 'declare -A opened; until [ -e stop ]; do for f in .mavrel-*; do
        [ -e "$f" ] && : >>tried; [ -n "${opened[$f]:-}" ] || { exec {fd}<>"$f"; } 2>/dev/null && opened[$f]=$fd
        done; done; for fd in "${opened[@]}"; do echo planted >&"$fd"; done' &
    umask 000 && held fchown 1 mavrel T 64 && umask 022
    holding && for _ in $(seq 1000); do [ ! -e tried ] || break; sleep 0.01; done
    expect 0 "" "" released
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
