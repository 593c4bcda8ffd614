# Sourced by each section of the system test with the arguments SOURCE_DIR MAVREL_BINARY
# SANITIZED (ON or OFF): the section runs in namespaces of its own (expect.sh), with a copy of
# mavrel that other users may run, the kernel's shared-directory protections as Debian sets
# them, and calls held by strace until the section lets them go.

# Sections that set the protections take turns through a lock; a watcher, started outside the
# namespaces, holds it until it has restored them, should a section be killed.
if [ "$(id -u)" -eq 0 ] && [ -z "${MAVREL_WORK:-}" ]; then
    exec {lock}>/run/mavrel-protections.lock
    exec {guard}> >(setsid sh -c 'read -r saved || exit; read -r _ || sysctl -qw $saved' >/dev/null 2>&1)
    export MAVREL_GUARD="$lock $guard"
fi
private=yes && source "$(dirname "${BASH_SOURCE[0]}")/../expect.sh"
debian_protections() {
    read -r lock guard <<<"$MAVREL_GUARD" && flock "$lock"
    saved=$(sysctl fs.protected_symlinks fs.protected_regular fs.protected_fifos fs.protected_hardlinks | tr -d ' ')
    echo $saved >&"$guard" &&
        sysctl -qw fs.protected_symlinks=1 fs.protected_regular=2 fs.protected_fifos=1 fs.protected_hardlinks=1
}
protections_restored() { sysctl -qw $saved && echo restored >&"$guard" && flock -u "$lock"; }

cp "$(command -v mavrel)" "$work/mavrel-copy" # which other users may not reach where it was built
nobody="setpriv --reuid=nobody --regid=nogroup --clear-groups" # a command's prefix, for root
as_user() { if [ "$(id -u)" -eq 0 ]; then $nobody "$@"; else "$@"; fi; }
unprivileged="setpriv --inh-caps=-dac_read_search --bounding-set=-dac_read_search"

# held CALL[:exit] WHEN COMMAND...: runs COMMAND in the background, where strace holds the
# WHEN-th CALL of each of its processes at its entry (or its exit) until released (the leak
# check cannot run under a tracer). holding waits until the call is held, and sets held_pid to
# the process holding it; released lets it go on and ends with COMMAND's status once it has
# ended.
held() {
    local call=${1%:exit} at=enter
    [ "$call" = "$1" ] || at=exit
    rm -f "$work/.status" "$work/.trace"
    # Only the command's messages go on: strace's and the shell's about a process killed while
    # held go nowhere.
    ASAN_OPTIONS=detect_leaks=0 strace -f -qq -o "$work/.trace" -e trace="$call" \
        -e inject="$call:delay_$at=60000000:when=$2" \
        sh -c '"$@" 2>&3 3>&-; echo $? >"$0"' "$work/.status" "${@:3}" 3>&2 2>/dev/null &
    tracer=$! held_call=$call held_when=$2
    disown "$tracer" # ended by released, whose status is not strace's
}
# A held call's line is left open at its entry, or marked delayed at its exit.
holding() {
    local line
    for _ in $(seq 2000); do
        line=$(grep -E "^[0-9]+ +$held_call\(" "$work/.trace" 2>/dev/null | sed -n "${held_when}p" || true)
        [[ -z $line || ($line == *" = "* && $line != *"(DELAYED)") ]] || { held_pid=${line%% *} && return; }
        sleep 0.01
    done
    fail "strace never held $held_call number $held_when" && return 1
}
released() {
    kill -KILL "$tracer" 2>/dev/null || true
    for _ in $(seq 3000); do [ ! -s "$work/.status" ] || break; sleep 0.01; done
    return "$(cat "$work/.status")"
}
# sleeping_in PID FUNCTION: waits until process PID sleeps in the kernel's FUNCTION (its wchan).
sleeping_in() {
    for _ in $(seq 1000); do [ "$(cat "/proc/$1/wchan" 2>/dev/null)" != "$2" ] || return 0; sleep 0.01; done
    fail "process $1 never slept in $2"
}
