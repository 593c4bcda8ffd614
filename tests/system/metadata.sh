#!/usr/bin/env bash
# A replaced file keeps its identity, a new one gets what a plain open gives it, and what
# cannot be replaced is written as it is.
# Usage: metadata.sh SOURCE_DIR MAVREL_BINARY SANITIZED
source "$(dirname "$0")/common.sh"

# A replaced file keeps its mode, owner, ACL and attributes, and a link its replaced target,
# found from the link's own directory; a new file gets what a plain open gives it: the umask,
# and the directory's default ACL. A pipe or FIFO is written as it is, and has no sync.
mkdir modes other && cd modes
echo old >T && chmod 604 T && echo old >target && ln -s target T_flag
ln -s ../other/L L && ln -s M L_flag && ln -s ../other/M M # M makes a chain of two
ln -s O O && expect 255 "failed to create tile: O: Too many levels of symbolic links" "" mavrel O 1
: >C0 && for i in $(seq 41); do ln -s C$((i - 1)) C$i; done # the kernel follows 40 links, not 41
expect 0 "" "" mavrel C40 1 && expect 255 "failed to create tile: C41: Too many levels of symbolic links" "" mavrel C41 1
expect 0 "" "" sh -c 'umask 027 && mavrel T 1 && mavrel U 1 && cd .. && mavrel modes/L 1' <&-
expect 0 "604 640 640 target ../other/L M" "" sh -c 'echo $(stat -c %a T U U_flag) $(readlink T_flag L L_flag)'
expect 0 "$(samples 1 4 0)01$(samples 1 4 0)01$(samples 1 4 0)01" "" hex T target U U_flag ../other/L ../other/M
ln -s /dev/stdout N && mkfifo N_flag ../pipe
hex <../pipe >heights & reader=$!
mavrel N 2 >../pipe & # its flags wait for a reader, who comes late
sleeping_in $! wait_for_partner
expect 0 "$(samples 4 1 1)" "" hex N_flag
expect 0 "" "" wait $! && wait $reader
expect 0 "$(samples 4 4 0)" "" cat heights
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
    setfattr -n security.capability -v $capability S && echo old >../bound && chmod 4755 ../bound &&
        setfattr -n security.capability -v $capability ../bound
    : >plain && setfacl -d -m g:daemon:rw . && chmod 777 . && kept=$(getfacl T plain G S && getfattr -d -m - T S && lsattr S)
    expect 0 "" "" sh -c 'umask 077 && mavrel T 2 && mavrel plain 1 && mavrel new 1 && mavrel S 1 && : >shell'
    expect 0 "" "" as_user sh -c '../mavrel-copy G 1 && ../mavrel-copy C 1'
    [ "$(getfacl T plain G S && getfattr -d -m - T S && lsattr S)" = "$kept" ] || fail "a replacement lost metadata"
    [ "$(getfacl -c new)" = "$(getfacl -c shell)" ] || fail "a new tile missed the default ACL"
    expect 0 "# file: C user.system.posix_acl_access 0" "" sh -c 'echo $(getfattr -m - C) $(getfacl -c C | grep -c daemon)'
    # A tile that is a mount point of its own cannot be renamed over: it is rewritten, and has no
    # set-id bits from before it is truncated until its last byte is written.
    : >B && mount --bind ../bound B && held ftruncate:exit 1 mavrel B 1
    holding && expect 0 755 "" stat -c %a ../bound && expect 0 "" "" released
    expect 0 "$(samples 1 4 0)" "" hex ../bound
    expect 0 "4755 security.capability=$capability" "" sh -c 'echo $(stat -c %a ../bound) $(getfattr -e base64 -n security.capability ../bound | grep =)'
fi
cd ..

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
finish
