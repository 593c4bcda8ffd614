#!/usr/bin/env bash
# Makes both Debian packages and checks their files, dependencies and lintian's verdict, then
# runs the program and builds the parser's example through pkg-config from extracted copies.
# Usage: package_test.sh SOURCE_DIR BUILD_DIR VERSION MULTIARCH_TRIPLET
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

[ "$(files "$tool" | sort)" = "$(printf '%s\n' ./usr/bin/mavrel{,-batch-status,-strict,-tile-names} \
    ./usr/share/man/man1/mavrel{,-batch-status,-strict,-tile-names}.1.gz \
    ./usr/share/{bash-completion/completions/mavrel,mavrel/tiles.sbatch,lintian/overrides/mavrel} \
    ./usr/share/{fish/vendor_completions.d/mavrel.fish,zsh/vendor-completions/_mavrel,elvish/lib/mavrel.elv} \
    $deb_dir/mavrel/{changelog.Debian.gz,copyright} | sort)" ] || fail "files of $tool: $(files "$tool")"
[ "$(files "$dev" | grep -v '^./usr/include/argparse/')" = "$(printf "$lib/%s\n" libmavrel_argparse.a \
    cmake/mavrel/mavrel{Config,ConfigVersion,Targets-release,Targets}.cmake pkgconfig/mavrel-argparse.pc |
    sort && printf "$deb_dir/libmavrel-argparse-dev/%s\n" README.md changelog.Debian.gz copyright &&
    echo ./usr/share/lintian/overrides/libmavrel-argparse-dev)" ] ||
    fail "files of $dev: $(files "$dev")"
files "$dev" | grep -qx ./usr/include/argparse/args.hpp || fail "$dev lacks the headers"

[[ $(dpkg-deb -f "$tool" Depends) =~ ^libc6\ \(\>=\ [0-9.]+\),\ libgcc-s1\ \(\>=\ [0-9.]+\),\ libstdc\+\+6\ \(\>=\ [0-9.]+\)$ ]] ||
    fail "dependencies of $tool: $(dpkg-deb -f "$tool" Depends)"
[ "$(dpkg-deb -f "$dev" Depends)" = libmagicenum-dev ] || fail "dependencies of $dev"
mkdir lintian
tags=$(TMPDIR=$work/lintian lintian --fail-on error,warning "$tool" "$dev") || fail "lintian: $tags"
grep -E 'manpage|whatis|groff|usr/share/(man|zsh|fish)' <<<"$tags" && fail "lintian on the man page or scripts"

dpkg-deb -x "$tool" root
readelf -S root/usr/bin/mavrel | grep -q '\.symtab' && fail "the packaged binary is not stripped"
[ "$(root/usr/bin/mavrel --version)" = "mavrel $3" ] || fail "--version of the packaged binary"
# The packaged scripts run, on the packaged mavrel.
bash -n root/usr/share/mavrel/tiles.sbatch || fail "the packaged tiles.sbatch does not parse"
[ "$(PATH=$work/root/usr/bin:$PATH && mavrel-tile-names 44 45 6 8 && mavrel-strict T 1 -x 2>&1 || echo $?)" = \
    "$(printf '%s\n' N44E006 N44E007 'unrecognised commandline argument: x' 2)" ] || fail "the packaged scripts"

dpkg-deb -x "$dev" root
flags=$(PKG_CONFIG_PATH=root/$lib/pkgconfig pkg-config --cflags --libs mavrel-argparse)
# shellcheck disable=SC2086
c++ -std=c++17 "$1/examples/greet.cpp" $flags -o greet || fail "the example does not build from the package"
[ "$(./greet world)" = "hello world" ] || fail "the example built from the package does not greet"
