#!/usr/bin/env bash
# Makes the release archive and checks its checksum and files, then runs its program in an
# empty root (a chroot, or its emulator in an empty directory): exact tiles, and the version.
# Usage: archive_test.sh SOURCE_DIR MAVREL_BINARY VERSION BUILD_DIR ARCHITECTURE [EMULATOR]
source "$(dirname "$0")/expect.sh"
top=mavrel-$3-linux-$5 emulator=${6:-}
cpack -B packages --config "$4/CPackConfig.cmake" >/dev/null
expect 0 "$top.tar.gz: OK" "" sh -c "cd packages && sha256sum -c $top.tar.gz.sha256"
expect 0 "$(lines LICENSE README bin/mavrel share/bash-completion/completions/mavrel \
    share/fish/vendor_completions.d/mavrel.fish share/man/man1/mavrel.1.gz \
    share/zsh/site-functions/_mavrel | sed "s|^|$top/|")" "" sh -c "tar -tzf packages/$top.tar.gz | grep -v '/\$' | sort"
tar -xzf "packages/$top.tar.gz" && mkdir root && cp "$top/bin/mavrel" root
if [ -n "$emulator" ]; then
    run() { (cd root && "$emulator" ./mavrel "$@"); }
elif chroot root /mavrel --version >/dev/null 2>&1; then
    run() { chroot root /mavrel "$@"; }
else
    echo "skipped: cannot chroot into an empty root (needs root)"
    exit "$failures"
fi
expect 0 "mavrel $3" "" run --version
expect 0 "" "" run T 3
expect 0 "T T_flag mavrel" "" sh -c 'cd root && echo $(ls -A)'
expect 0 "$(samples 9 4 0)$(samples 9 1 1)" "" hex root/T root/T_flag
[ "$failures" -eq 0 ]
