#!/usr/bin/env bash
# Runs small programs written against the parser's public headers, as its users write them, a
# row per command line: the exit status and both streams byte for byte.
# Usage: parse_consumers_test.sh SOURCE_DIR CONSUMERS_DIR/numeric
source "$(dirname "$0")/expect.sh"

pi="3.1415927 16777216"
# usage ERROR [COMMAND]: a getopt program's error, with gt's usage line or its COMMAND's.
usage() {
    local line="Usage: gt  [options...] [SUBCOMMAND: commit, remote]"
    [ -z "${2:-}" ] || line="Usage: gt $2  [options...]"
    printf '%s\n%s\n%s' "$1" "$line" "Try 'gt${2:+ $2} --help' for more information."
}
range() { echo "Invalid argument \"$1\" for $2. Error: must be a number from $3"; }

# A range tests the number that the member holds, as its type read it; NaN is in none.
expect 0 "5 0.5 0 1 0 0 0: $pi" "" numeric
expect 255 "" "$(range 0x5 "-n (count)" "1 to 10")" numeric -n 0x5
expect 0 "5 1 2 9 0 0 0: $pi" "" numeric -n 5e3 --ratio 1 -l -2 -l 2 -w 9
expect 255 "" "$(range nan "--ratio (the share of the whole, from 0 to 1)" "0 to 1")" numeric --ratio nan
expect 255 "" "$(range 3 "-l (levels)" "-2 to 2")" numeric -l 1 -l 3
expect 255 "" "$(range x "-w (a word)" "0 to 9")" numeric -w x
# A default of another type is kept as the member's type holds it, and shown in the shortest
# form that reads back to it.
expect 0 "$(printf '%17s : %s [default: %s]\n' --pi pi 3.1415927 --big "2^24 + 1" 16777216 \
    --wide "an eighth" 123456789.125)" "" bash -c 'numeric --help | grep -e pi -e 2^24 -e eighth'
expect 0 "5 0.5 0 1 0 0 0: 0.1 1e+20" "" numeric --pi 0.1 --big 1e20
# Help is wrapped to the width of its terminal, or to 80 columns where that has none.
wrapped() { env -u COLUMNS script -qc "stty cols $1; numeric --help" /dev/null | grep -c 'whole.*0.5]'; }
expect 1 "0" "" wrapped 50
expect 0 "1" "" wrapped 0
# A real too small for its type is what the type holds of it, one too great out of range.
expect 0 "5 0.5 0 1 -0 1.4013e-45 0: $pi" "" numeric -x -1e-400 -y 1e-45
expect 255 "" "Invalid argument \"1e39\" for -y (a float). Error: out of range" numeric -y 1e39
# A std::vector from the environment takes the pieces between commas; an empty value, none.
expect 0 "5 0.5 0 1 0 0 3:a||b $pi" "" env NUMERIC_POINTS=a,,b numeric
expect 0 "5 0.5 0 1 0 0 0: $pi" "" env NUMERIC_POINTS= numeric
expect 0 "5 0.5 0 1 0 0 1:c $pi" "" env NUMERIC_POINTS=a,b numeric -p c
# Help for an embedding program is a text, whose object is gone when it is shown (clean under
# ASan); bold only where the stream it goes to is a terminal and NO_COLOR is unset or empty.
expect 0 "Usage: embedded v1.2 NAME  [options...]" "" bash -c 'embedded v --help | head -1'
bold() { env "${2:-NO_COLOR}=" script -qc "$1" /dev/null | grep -c $'\e\\[1m'; }
expect 0 "3" "" bold "gt --help"
expect 1 "0" "" bold "gt --help" NO_COLOR=1
expect 1 "0" "" bold "embedded --help"
expect 0 "1" "" bold "embedded -t x >/dev/null"
expect 1 "0" "" bold "embedded -t x 2>/dev/null"
# A subcommand is named by its name or an alias; its usage line has the whole command.
expect 0 "01 . 10 remote 1 add origin /srv" "" gt rm -v add origin /srv
expect 0 "Usage: gt remote add NAME URL  [options...]
Subcommand: remote, rm : manage the remotes" "" bash -c 'gt rm add --help | head -1; gt -? | grep rm'
# A count adds one for each time it is given, or sets a number; a negatable flag is set false
# by --no-NAME.
expect 0 "31 . 10" "" gt -vvv
expect 0 "40 . 10" "" gt --verbose=2 -v --no-color --color -v --no-color
expect 0 "     -v,--verbose : say more, once for each [counted, default: 0]
--color,--no-color : colour the output [implicit: \"true\", default: true]" "" \
    bash -c 'gt --help | grep -e counted -e no-color'
expect 2 "" "$(usage "--no-color takes no value")" gt --no-color=yes
# getopt's conventions: -h, values attached to a letter, negative numbers as values, booleans
# of yes/no and on/off; errors in the order of the words, with the option as typed, the usage
# line, a hint at --help and status 2.
expect 0 "Usage: gt  [options...] [SUBCOMMAND: commit, remote]
Usage: gt remote add NAME URL  [options...]" "" bash -c 'gt -h | head -1; gt rm add -h | head -1'
expect 0 "01 . 5" "" gt -t5
expect 0 "11 /tmp -inf" "" gt -vt -inf -C/tmp
expect 0 "01 . -0.5 commit a|b - 10" "" gt -t=-.5 commit -ma -m b --all=yes
expect 0 "01 . 10 commit  me 01" "" env GT_SIGN=On GT_AUTHOR=me gt commit
expect 2 "" "$(usage "-t,--timeout cannot be given twice")" gt -t 1 --timeout 2
expect 2 "" "$(usage "unrecognised commandline argument: --timout (did you mean --timeout?)")" \
    gt --timout 5
expect 2 "" "$(usage "unexpected argument: comit (did you mean commit?)")" gt comit -x
expect 2 "" "$(usage 'Invalid argument, could not convert "f" for -t,--timeout (seconds to wait)')" \
    gt -tf 5
expect 2 "" "$(usage "No value provided for: -m" commit)" gt commit -m
expect 2 "" "$(usage "-a,--all cannot be given with -p,--patch" commit)" gt commit -ap
expect 2 "" "$(usage 'Invalid argument "ture" for -a,--all (every change). Error: must be true, false, yes, no, on, off, 1 or 0' commit)" \
    gt commit --all=ture
# A full standard output is reported with its own reason, subcommand titles or not.
expect 255 "" "cannot write standard output: No space left on device" sh -c "gt --help >/dev/full"
finish
