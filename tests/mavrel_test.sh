#!/usr/bin/env bash
# Runs the built mavrel as users do, a row per command line: the exit status, both streams
# byte for byte, and every file that the run leaves in its directory.
# Usage: mavrel_test.sh SOURCE_DIR MAVREL_BINARY VERSION
source "$(dirname "$0")/expect.sh"

# contents: each entry of the working directory, a directory as NAME/, a file as NAME HEX.
contents() {
    for name in $(ls -A); do
        if [ -d "$name" ]; then echo "$name/"; else echo "$name $(hex "$name")"; fi
    done
}
# pair COUNT HEIGHT FLAG [TILE]: the contents of a tile pair of COUNT samples of these sizes.
pair() { lines "${4:-T} $(samples "$1" "$2" 0)" "${4:-T}_flag $(samples "$1" "$3" 1)"; }
# row STATUS STDOUT STDERR CONTENTS ARGS...: runs mavrel ARGS... in the directory row (made
# now unless a test prepared it) and checks its streams and the contents it leaves.
row() {
    local status=$1 out=$2 err=$3 files=$4
    shift 4
    mkdir -p row && cd row
    expect "$status" "$out" "$err" mavrel "$@"
    expect 0 "$files" "" contents
    cd .. && rm -rf row
}
unrecognised() { printf 'unrecognised commandline argument: %s\n' "$@"; }

help="mavrel - generate DEM tiles in TASMER generic format.
The mavrel authors <https://mavrel.example.org/>

Usage: mavrel TILE WIDTH  [options...]
             TILE : name of the tile (AXXBYYY, with A 'N' or 'S' and B 'E' or 'W') [required]
            WIDTH : tile width in pixels (tiles are square) [required]

Options:
   -d,--data-type : type for height data [allowed: <int16, int32, int64, float32, float64>, \
default: float32]
   -f,--flag-type : type for flag data [allowed: <int8, int16, int32, int64>, default: int8]
        --version : show version information and exit [implicit: \"true\", default: false]
        -?,--help : print help [implicit: \"true\", default: false]"
width="for WIDTH (tile width in pixels (tiles are square))"
heights="for -d,--data-type (type for height data). Error: enum is only accepting [int16, \
int32, int64, float32, float64]"
no_d="No value provided for: d"
long=$(printf 'n%.0s' {1..250})

row 0 "mavrel $3" "" "" --version
row 0 "$help" "" "" N45E007 abc -??
row 0 "$help" "" "" -d x --help=TRUE
row 0 "$help" "" "" T 1 --help=1
row 255 "" "Argument missing: TILE (name of the tile (AXXBYYY, with A 'N' or 'S' and B 'E' or 'W'))" ""
row 255 "" "Argument missing: WIDTH ${width#for WIDTH }" "" --version extra
row 255 "" "Invalid argument, could not convert \"wide\" $width" "" T wide
row 255 "" "Invalid argument \"4294967296\" $width. Error: out of range" "" T 4294967296
row 255 "" "Invalid argument \"-1\" $width. Error: out of range" "" T -1 --help=0
row 255 "" "Invalid argument \"float16\" $heights" "" T 1 -d float16 -d int16
row 255 "" 'Invalid argument "x\nArgument missing: y" '"$heights" "" T 1 -d $'x\nArgument missing: y'
row 255 "" "$no_d" "" T 1 -d -f int8
row 255 "" "$(unrecognised i n t 1 6)
$no_d" "" T 1 -dint16
mkdir row && echo "an old tile, longer than the new one" >row/T && echo old >row/T_flag
row 0 "" "" "$(pair 9 4 1)" T 3
row 0 "" "" "$(pair 0 4 1)" T 0x10
row 0 "" "" "$(pair 4 2 1)" T 2px --version -d Int16 --help=false
row 0 "" "" "$(pair 1 8 2)" --data-type=FLOAT64 T 1 -f int16
row 0 "" "" "$(pair 4 8 8)" T 2 -d=int64 --flag-type INT64
row 0 "" "" "$(pair 1 4 4)" -d int32 T --flag-type=Int32 1
row 0 "" "$(unrecognised datatype)" "$(pair 1 4 1)" T 1 --datatype int16
row 0 "" "$(unrecognised 'a\033[2Jb')" "$(pair 1 4 1)" T 1 $'--a\e[2Jb'
row 0 "" "$(unrecognised colour - '' Version)" "$(pair 1 4 1 red)" --colour red 1 x - -- --Version
row 0 "" "" "$(pair 1 4 1 "$long")" "$long" 1 <&- # the temporary file may get descriptor 0
row 255 "failed to create tile: nodir/T: No such file or directory" "" "" nodir/T 3
# Names are checked before anything is written, the flag file's too, and shown on one line.
row 255 "failed to create tile: ${long}n_flag: File name too long" "" "" "${long}n" 1
deep=$(printf './%.0s' {1..2048})T
row 255 "failed to create tile: $deep: File name too long" "" "" "$deep" 1
row 255 'failed to create tile: nodir/a\nfailed to create mask: \033[1mspoofed: No such file or directory' \
    "" "" $'nodir/a\nfailed to create mask: \e[1mspoofed' 2
row 255 'failed to create tile: "": No such file or directory' "" "" "" 1
mkdir -p row/D
row 255 "failed to create tile: D: Is a directory" "" "D/" D 1
mkdir row && echo old >row/T
row 255 "failed to create tile: cannot create std::vector larger than max_size()" "" \
    "T $(echo old | hex)" T 1073741824 -d float64
for request in --version --help; do # standard output that takes nothing is a failure
    expect 255 "" "cannot write standard output: No space left on device" sh -c "mavrel $request >/dev/full"
done
# So is a pipe whose reader has gone, where the tile is written, and its line goes to standard error.
expect 0 "255" "failed to create tile: /dev/stdout: Broken pipe" \
    bash -c 'mavrel /dev/stdout 2000 | head -c 10 >/dev/null; echo ${PIPESTATUS[0]}' 
[ "$failures" -eq 0 ]
