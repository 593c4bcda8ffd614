#!/usr/bin/env bash
# Makes both Debian packages and checks their files, dependencies and lintian's verdict, then
# runs the program and builds the parser's example through pkg-config from extracted copies.
# As root, installs mavrel alone as the README says, and lets scripts/bootstrap wait for the
# package system's lock that another process holds; both are removed again, however it ends.
# Usage: package_test.sh SOURCE_DIR BUILD_DIR VERSION MULTIARCH_TRIPLET
set -euo pipefail
work=$(mktemp -d)
installed=()
trap '{ kill $(jobs -p) 2>/dev/null || true; } && wait && [ "${#installed[@]}" -eq 0 ] ||
    apt-get -o DPkg::Lock::Timeout=60 remove -y -q "${installed[@]}" >/dev/null 2>&1; rm -rf "$work"' EXIT
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

shipped() { # the files of the tool's package: each command's, and the package's own
    local c
    for c in mavrel mavrel-{georef,batch,batch-status,strict,tile-names,verify}; do
        printf '%s\n' ./usr/bin/$c ./usr/share/man/man1/$c.1.gz ./usr/share/bash-completion/completions/$c \
            ./usr/share/fish/vendor_completions.d/$c.fish ./usr/share/zsh/vendor-completions/_$c ./usr/share/elvish/lib/$c.elv
    done
    printf '%s\n' ./usr/share/{mavrel/tiles.sbatch,lintian/overrides/mavrel} $deb_dir/mavrel/{changelog.Debian.gz,copyright}
}
[ "$(files "$tool" | sort)" = "$(shipped | sort)" ] || fail "files of $tool: $(files "$tool")"
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
for program in mavrel mavrel-georef mavrel-batch; do
    readelf -S root/usr/bin/$program | grep -q '\.symtab' && fail "the packaged $program is not stripped"
done
[ "$(root/usr/bin/mavrel --version)" = "mavrel $3" ] || fail "--version of the packaged binary"
[ "$(root/usr/bin/mavrel-georef --version)" = "mavrel-georef $3" ] || fail "--version of the packaged mavrel-georef"
# The packaged scripts run, on the packaged mavrel.
bash -n root/usr/share/mavrel/tiles.sbatch || fail "the packaged tiles.sbatch does not parse"
[ "$(PATH=$work/root/usr/bin:$PATH && mavrel-tile-names 44 45 6 8 && mavrel-strict T 1 -x 2>&1 || echo $?)" = \
    "$(printf '%s\n' N44E006 N44E007 'unrecognised commandline argument: x' 2)" ] ||
    fail "the packaged batch commands"

dpkg-deb -x "$dev" root
flags=$(PKG_CONFIG_PATH=root/$lib/pkgconfig pkg-config --cflags --libs mavrel-argparse)
# shellcheck disable=SC2086
c++ -std=c++17 "$1/examples/greet.cpp" $flags -o greet || fail "the example does not build from the package"
[ "$(./greet world)" = "hello world" ] || fail "the example built from the package does not greet"

# The rows that install need root, and a machine where the packages are not installed already.
absent() { ! dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
[ "$(id -u)" -eq 0 ] || { echo "skipped: installing packages needs root" && exit 77; }
absent mavrel || { echo "skipped: mavrel is installed on this machine already" && exit 77; }
installed+=(mavrel)
apt install -y -q "./$tool" >/dev/null 2>&1 || fail "apt does not install $tool alone"
[ "$(mavrel-verify --version)" = "mavrel-verify $3" ] && [ "$(/usr/bin/mavrel --version)" = "mavrel $3" ] ||
    fail "the installed mavrel and its batch commands"
apt remove -y -q mavrel >/dev/null 2>&1 && installed=() || fail "apt does not remove mavrel"
[ ! -e /usr/bin/mavrel ] || fail "removing mavrel left /usr/bin/mavrel"

# A tiny package of the test's own, which bootstrap installs from its file without the network.
mkdir -p probe/DEBIAN && printf '%s\n' 'Package: mavrel-test-probe' 'Version: 1' 'Architecture: all' \
    'Maintainer: The mavrel authors <authors@mavrel.example.org>' 'Description: a package to install' \
    >probe/DEBIAN/control && dpkg-deb -b probe probe.deb >/dev/null
# bootstrap tells a user without sudo, in one line, that it needs root or sudo.
cp "$1/scripts/bootstrap" . && chmod 755 "$work" && chmod 644 probe.deb
command -v sudo >/dev/null || [ "$(setpriv --reuid=nobody --regid=nogroup --clear-groups ./bootstrap build ./probe.deb 2>&1; echo $?)" = \
    "$(printf 'bootstrap: installing ./probe.deb needs root or sudo, and this user has no sudo: run it as root\n2')" ] ||
    fail "bootstrap as a user without sudo"

# bootstrap waits while another process holds the lock of the package system (an fcntl lock,
# which apt takes): the lock is let go once apt waits for it, and only then is the package in.
absent mavrel-test-probe || { echo "skipped: mavrel-test-probe is installed on this machine" && exit 77; }
perl -MFcntl -e 'open(my $f, "+<", $ARGV[0]) or die; my $l = pack("s s x4 q q i x4", F_WRLCK, 0, 0, 0, 0);
    fcntl($f, F_SETLKW, $l) or die; open(my $h, ">", $ARGV[1]); close($h); sleep' /var/lib/dpkg/lock-frontend held &
holder=$!
for _ in $(seq 1000); do [ -e held ] && break; sleep 0.01; done
installed+=(mavrel-test-probe)
"$1/scripts/bootstrap" build ./probe.deb >/dev/null & bootstrap=$!
waiting() { # whether an apt-get says, where bootstrap keeps its output, that it waits for the lock
    local pid
    for pid in $(pgrep -x apt-get); do grep -qs "Waiting for cache lock" "/proc/$pid/fd/1" && return; done
    false
}
for _ in $(seq 3000); do waiting && break; sleep 0.01; done
waiting && absent mavrel-test-probe || fail "bootstrap did not wait for the lock"
kill "$holder" && wait "$bootstrap" && ! absent mavrel-test-probe || fail "bootstrap did not install once the lock was free"
