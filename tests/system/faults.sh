#!/usr/bin/env bash
# Faults that keep the old file as it was: keeping an identity failing other than for want of
# permission, directories and files that take no change, and a machine without /proc.
# Usage: faults.sh SOURCE_DIR MAVREL_BINARY SANITIZED
source "$(dirname "$0")/common.sh"

# Keeping the old file's identity failing other than for want of permission (a group quota
# refusing the fchown, a disk failing as the attributes are listed, as the chattr flags are
# read, as the file capability is given), or the new file's link under a name of its own, fails
# the run, and the old tile stays as it was; so does a link that cannot be read.
faults=("fchown EDQUOT Disk quota exceeded" "flistxattr EIO Input/output error" "linkat EIO Input/output error")
[ "$(id -u)" -ne 0 ] || faults+=("ioctl EIO Input/output error" "fsetxattr EIO Input/output error")
for fault in "${faults[@]}"; do
    read -r call error message <<<"$fault" && echo "an old tile" >identity
    [ "$(id -u)" -ne 0 ] || { chattr +d identity && setfattr -n security.capability -v 0sAQAAAgAgAAAAAAAAAAAAAAAAAAA= identity; }
    expect 255 "failed to create tile: identity: $message" "" env ASAN_OPTIONS=detect_leaks=0 \
        strace -qq -o /dev/null -e inject="$call:error=$error:when=1" mavrel identity 3
    expect 0 "an old tile" "" cat identity
    [ "$(id -u)" -ne 0 ] || expect 0 "d security.capability" "" sh -c 'echo $(lsattr identity | cut -c7) $(getfattr -m - identity | grep s)'
done
ln -s identity link && expect 255 "failed to create tile: link: Input/output error" "" env ASAN_OPTIONS=detect_leaks=0 \
    strace -qq -o /dev/null -e inject=readlinkat:error=EIO mavrel link 3

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

# Without /proc a privileged run links by descriptor; others, and one whose link the kernel
# refuses (as before Linux 6.10 in a user namespace), use a named file (ASan needs /proc).
[ "$(id -u)" -eq 0 ] || skipped "unmounting /proc needs root"
if [ "$(id -u)" -eq 0 ] && [ "$3" != ON ] && mkdir noproc; then
    expect 0 "" "" unshare -m sh -c 'while mountpoint -q /proc; do umount -l /proc; done && mavrel noproc/T 1 &&
        '"$unprivileged"' mavrel noproc/U 1 && strace -qq -o /dev/null -e inject=linkat:error=ENOENT mavrel noproc/V 1'
    expect 0 "$(samples 1 4 0)01$(samples 1 4 0)01$(samples 1 4 0)01" "" hex noproc/{T,T_flag,U,U_flag,V,V_flag}
fi
finish
