#!/usr/bin/env bash
# Makes the release archive and checks its checksum and files, runs what it holds as its
# README says, then its program in an empty root (a chroot, or its emulator in an empty
# directory): exact tiles, and the version.
# Usage: archive_test.sh SOURCE_DIR MAVREL_BINARY VERSION BUILD_DIR ARCHITECTURE [EMULATOR]
source "$(dirname "$0")/expect.sh"
top=mavrel-$3-linux-$5 emulator=${6:-}
cpack -B packages --config "$4/CPackConfig.cmake" >/dev/null
expect 0 "$top.tar.gz: OK" "" sh -c "cd packages && sha256sum -c $top.tar.gz.sha256"
names=(mavrel{,-batch,-batch-status,-georef,-strict,-tile-names,-verify})
expect 0 "$( (lines LICENSE README share/mavrel/tiles.sbatch && for name in "${names[@]}"; do
    lines bin/$name share/bash-completion/completions/$name share/elvish/lib/$name.elv \
        share/fish/vendor_completions.d/$name.fish share/man/man1/$name.1.gz share/zsh/site-functions/_$name
    done) | LC_ALL=C sort | sed "s|^|$top/|")" "" sh -c "tar -tzf packages/$top.tar.gz | grep -v '/\$' | LC_ALL=C sort"
tar -xzf "packages/$top.tar.gz" && mkdir root && cp "$top/bin/mavrel" root

# Unpacked into a home as its README says, the PATH it gives runs the programs (a cross
# build's through its emulator).
path=$(cd packages && env -i HOME="$work/home" PATH=/usr/bin:/bin bash -ec \
    "$(grep -E '^    (mkdir|tar|export) ' "../$top/README")"$'\necho "$PATH"')
bin=${path%%:*}
# The emulator gives the program the name it was called by, for mavrel-batch's old names.
for program in mavrel mavrel-georef mavrel-batch; do
    [ -z "$emulator" ] || { mv "$bin/$program" "$bin/$program.emulated" &&
        printf '#!/bin/sh\nexec %s -0 "$0" "${0%%/*}/%s.emulated" "$@"\n' "$emulator" "$program" >"$bin/$program" &&
        chmod +x "$bin/$program"; }
done
expect 0 "$(lines "$bin/mavrel" "mavrel $3" "mavrel-georef $3")" "" env PATH="$path" sh -c \
    'command -v mavrel && mavrel --version && mavrel-georef --version'
expect 2 "" "unrecognised commandline argument: x" env PATH="$path" mavrel-strict T 1 -x
expect 1 "0 finished, 0 failed, 2 not yet run" "" env PATH="$path" sh -c \
    'mavrel-tile-names 44 45 6 8 >list && mavrel-batch-status list'
expect 0 "" "" bash -n "$bin/../share/mavrel/tiles.sbatch"
if [ -n "$emulator" ]; then
    run() { (cd root && "$emulator" ./mavrel "$@"); }
elif chroot root /mavrel --version >/dev/null 2>&1; then
    run() { chroot root /mavrel "$@"; }
else
    skipped "cannot chroot into an empty root (needs root)"
    finish
fi
expect 0 "mavrel $3" "" run --version
expect 0 "" "" run T 3
expect 0 "T T_flag mavrel" "" sh -c 'cd root && echo $(ls -A)'
expect 0 "$(samples 9 4 0)$(samples 9 1 1)" "" hex root/T root/T_flag
finish
