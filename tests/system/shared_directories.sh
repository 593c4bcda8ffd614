#!/usr/bin/env bash
# Directories closed to their user, and shared ones under the kernel's protections as Debian
# sets them: what is rewritten in place, what is refused, and which links are followed.
# Usage: shared_directories.sh SOURCE_DIR MAVREL_BINARY SANITIZED
source "$(dirname "$0")/common.sh"

# A writable tile in a directory closed to its user is rewritten in place, and a run killed
# while it rewrites leaves no other file; a new one is refused.
mkdir closed && echo old | tee closed/T >closed/T_flag && chmod 666 closed/* && chmod 555 closed
if [ "$(id -u)" -eq 0 ]; then
    held ftruncate:exit 1 $nobody ./mavrel-copy closed/T 2
    holding && kill -KILL "$held_pid" && expect 137 "" "" released
    expect 0 "T T_flag" "" sh -c 'echo $(ls -A closed)'
fi
expect 0 "" "" as_user sh -c 'cd closed && ../mavrel-copy T 2'
expect 255 "failed to create tile: U: Permission denied" "" as_user sh -c 'cd closed && ../mavrel-copy U 2'
expect 0 "$(samples 4 4 0)$(samples 4 1 1)" "" hex closed/T closed/T_flag
chmod 755 closed
# In a shared sticky directory, under Debian's protections, a regular file or FIFO that neither
# the runner nor the directory's owner owns is refused as the shell's > refuses it, whatever its
# mode and whoever runs, root too: the planted files stay as they were, and no header is written.
[ "$(id -u)" -eq 0 ] && debian_protections || skipped "Debian's protections and other users need root"
if [ "$(id -u)" -eq 0 ]; then
    mkdir -m 1777 sticky && cp "$(command -v mavrel-georef)" georef-copy
    setpriv --reuid=daemon --regid=daemon --clear-groups sh -c 'cd sticky && head -c 128 /dev/zero >N45E007 &&
        head -c 16 /dev/zero >N45E007_flag && : >N45E007.vrt && chmod 666 N*'
    planted=$(stat -c '%n %U %s %y' sticky/*)
    for runner in "" "$nobody"; do
        expect 255 "failed to create tile: N45E007: Permission denied" "" $runner sh -c 'cd sticky && ../mavrel-copy N45E007 4 -d int64'
        for heights in int64 float64; do # a VRT to replace, or to remove as stale
            expect 255 "" "N45E007.vrt: Permission denied" $runner sh -c "cd sticky && ../georef-copy N45E007 4 -d $heights"
        done
    done
    [ "$(stat -c '%n %U %s %y' sticky/*)" = "$planted" ] || fail "planted files changed, or a header was written"
fi
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
