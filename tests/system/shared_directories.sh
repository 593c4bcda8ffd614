#!/usr/bin/env bash
# Directories closed to their user, and shared ones under the kernel's protections as Debian
# sets them: what is rewritten in place, what is refused, and which links are followed.
# Usage: shared_directories.sh SOURCE_DIR MAVREL_BINARY SANITIZED
source "$(dirname "$0")/common.sh"

# A writable tile in a directory closed to its user is rewritten in place; a new one is refused.
mkdir closed && echo old | tee closed/T >closed/T_flag && chmod 666 closed/* && chmod 555 closed
expect 0 "" "" as_user sh -c 'cd closed && ../mavrel-copy T 2'
expect 255 "failed to create tile: U: Permission denied" "" as_user sh -c 'cd closed && ../mavrel-copy U 2'
# So is another user's in a shared sticky directory, under Debian's protections, and a run
# killed while it rewrites leaves no temporary file there; one made read-only is refused.
mkdir -m 1777 sticky && echo old | tee sticky/T sticky/O >sticky/T_flag && chmod 666 sticky/* && chmod 444 sticky/O
chown daemon sticky/* 2>/dev/null || true
[ "$(id -u)" -eq 0 ] && debian_protections || skipped "Debian's protections and other users need root"
if [ "$(id -u)" -eq 0 ]; then
    held ftruncate:exit 1 $nobody ./mavrel-copy sticky/T 2
    holding && kill -KILL "$held_pid" && expect 137 "" "" released
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
finish
