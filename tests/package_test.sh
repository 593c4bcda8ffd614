#!/usr/bin/env bash
# Builds both Debian packages with CPack into a scratch directory and checks their file lists,
# declared dependencies and lintian's verdict, runs the packaged binary and builds the
# parser's example through pkg-config from extracted copies: nothing is installed on the
# machine. Usage: package_test.sh SOURCE_DIR BUILD_DIR VERSION MULTIARCH_TRIPLET
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack --config "$2/CPackConfig.cmake" -B "$work" >/dev/null
cd "$work"
tool=mavrel_$3-1_amd64.deb
dev=libmavrel-argparse-dev_$3-1_amd64.deb
lib=./usr/lib/$4

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
files() { dpkg-deb -c "$1" | awk '$6 !~ /\/$/ { print $6 }'; }
deb_dir=./usr/share/doc

[ "$(files "$tool")" = "./usr/bin/mavrel
./usr/share/bash-completion/completions/mavrel
$deb_dir/mavrel/changelog.Debian.gz
$deb_dir/mavrel/copyright
./usr/share/man/man1/mavrel.1.gz" ] || fail "files of $tool: $(files "$tool")"
[ "$(files "$dev" | grep -v '^./usr/include/argparse/')" = "$lib/cmake/mavrel/mavrelConfig.cmake
$lib/cmake/mavrel/mavrelConfigVersion.cmake
$lib/cmake/mavrel/mavrelTargets-release.cmake
$lib/cmake/mavrel/mavrelTargets.cmake
$lib/libmavrel_argparse.a
$lib/pkgconfig/mavrel-argparse.pc
$deb_dir/libmavrel-argparse-dev/changelog.Debian.gz
$deb_dir/libmavrel-argparse-dev/copyright" ] || fail "files of $dev: $(files "$dev")"
files "$dev" | grep -qx ./usr/include/argparse/args.hpp || fail "$dev lacks the headers"

[[ $(dpkg-deb -f "$tool" Depends) =~ ^libc6\ \(\>=\ [0-9.]+\),\ libgcc-s1\ \(\>=\ [0-9.]+\),\ libstdc\+\+6\ \(\>=\ [0-9.]+\)$ ]] ||
    fail "dependencies of $tool: $(dpkg-deb -f "$tool" Depends)"
[ "$(dpkg-deb -f "$dev" Depends)" = libmagicenum-dev ] || fail "dependencies of $dev"
lintian --fail-on error "$tool" "$dev" || fail "lintian reports errors"

dpkg-deb -x "$tool" root
readelf -S root/usr/bin/mavrel | grep -q '\.symtab' && fail "the packaged binary is not stripped"
[ "$(root/usr/bin/mavrel --version)" = "mavrel $3" ] || fail "--version of the packaged binary"
root/usr/bin/mavrel T 3 || fail "the packaged binary failed"
[ "$(od -An -v -tx1 T T_flag | tr -d ' \n')" = "$(printf '00%.0s' {1..36})$(printf '01%.0s' {1..9})" ] ||
    fail "the packaged binary wrote other bytes"

dpkg-deb -x "$dev" root
flags=$(PKG_CONFIG_PATH=root/$lib/pkgconfig pkg-config --cflags --libs mavrel-argparse)
# shellcheck disable=SC2086
c++ -std=c++17 "$1/examples/greet.cpp" $flags -o greet || fail "the example does not build from the package"
[ "$(./greet world)" = "hello world" ] || fail "the example built from the package does not greet"
