#!/usr/bin/env bash
# Tests mavrel-batch as installed, from the build's bin directory, under its names new and old:
# a region's names, lists and their verdicts, the batch's remembered width, strict runs and the
# preflight, the README's GNU parallel batch resumed by tile, the xargs recipe, tasks of
# tiles.sbatch run by hand and the arrays that cover a list, the status of job logs, and
# verify over faulty files, temporaries of every kind and a directory swapped under it.
# Usage: batch_test.sh SOURCE_DIR BIN_DIR/mavrel
source "$(dirname "$0")/expect.sh"
refused() { expect 2 "" "$1" "${@:2}"; } # MESSAGE COMMAND...: one line, status 2, no output

# The tiles of a region, and one line for bad bounds.
expect 0 "$(lines N44E006 N44E007 N45E006 N45E007)" "" mavrel-batch names 44 46 6 8
expect 0 "$(lines S01W001 S01E000 N00W001 N00E000)" "" mavrel-tile-names -1 1 -1 1
expect 0 "$(lines S90W180 N89E179)" "" sh -c 'mavrel-batch names -90 90 -180 180 | sed -n "1p;\$p"'
expect 0 "N08W010" "" mavrel-batch names 08 +9 -010 -9
expect 0 "$(lines N50E179 N50W180 N51E179 N51W180)" "" mavrel-batch names 50 52 179 -179
expect 0 "" "" mavrel-batch names 0 1 -180 -180
refused "mavrel-batch: SOUTH 2 lies north of NORTH 1" mavrel-batch names 2 1 0 1
refused "mavrel-batch: EAST 181 lies beyond -180 to 180" mavrel-batch names 0 1 0 181

# A list is read once, from a file or a pipe, and refused whole, naming the line, before
# anything runs.
printf 'N40E007\r\n' >crlf && printf 'N40E007\n\nN40E008\n' >blank && lines N40E007 ' N40E008' >blanks
lines N40E007 d/N40E008 N40E007 >twice && : >empty && mkdir folder
while IFS='|' read -r list message; do
    refused "mavrel-batch: $list: $message" mavrel-batch verify "$list" 2
done <<ROWS
crlf|line 1 is no tile name AXXBYYY: 'N40E007\r'
blank|line 2 is no tile name AXXBYYY: ''
blanks|line 2 is no tile name AXXBYYY: ' N40E008'
twice|line 3 names N40E007 again, as line 1 does
empty|the list names no tile
nowhere|No such file or directory
folder|Is a directory
ROWS
missing=$(lines '0 whole, 2 not whole' 'N40E007: missing' 'd/N40E008: missing')
expect 1 "$missing" "" sh -c 'printf "N40E007\nd/N40E008\n" | mavrel-verify /dev/stdin 2'
expect 1 "$missing" "" bash -c 'mavrel-batch verify <(printf "N40E007\nd/N40E008\n") 2'
refused "mavrel-batch: /dev/stdin: the list names no tile" sh -c ': | mavrel-batch status /dev/stdin'

# A batch remembers its width and types from its first pending: a resumption with others is
# refused, naming both, and writes nothing; a strict run refuses a width mavrel would misread.
lines N40E007 >kept && expect 0 N40E007 "" mavrel-batch pending kept 1201
other="mavrel-batch: kept is a batch of width 1201, -d float32 -f int8, not of"
refused "$other width 3601, -d float32 -f int8 (kept.batch)" mavrel-batch pending kept 3601
refused "${other/#mavrel-batch/mavrel-verify} width 1201, -d int16 -f int8 (kept.batch)" mavrel-verify kept 1201 -d int16
refused "$other width 3601, -d float32 -f int8 (kept.batch)" mavrel-batch status kept 3601
refused "mavrel-batch: WIDTH must be plain decimal digits: '1,201'" mavrel-batch run N40E007 1,201
refused "mavrel-strict: WIDTH must be plain decimal digits: '1,201'" mavrel-strict N40E007 1,201
expect 0 "blank blanks crlf empty folder kept kept.batch twice" "" sh -c 'echo $(ls)'
rm -r -- *

# A strict run writes the tile as mavrel does and passes its failures on; the preflight tells
# the sample sizes from the types; both refuse what mavrel would only warn about.
expect 0 "T T_flag" "" sh -c 'mavrel-batch run T 1 && echo $(ls)'
expect 255 "failed to create tile: no/T: No such file or directory" "" mavrel-strict no/T 1
sizes="(bytes per height and flag sample)"
expect 0 "4 1 $sizes" "" mavrel-strict --check 3601
expect 0 "8 8 $sizes" "" mavrel-batch check 0010801 -d float64 --flag-type=INT64
for width in 3,601 1e4 10_801 ' 3601' +3601 '' 4294967296; do
    expect 2 "" "" sh -c "mavrel-batch check '$width' 2>/dev/null"
done
for options in "--datatype int16" "-d" "int16" "-d int16 1"; do
    expect 2 "" "" sh -c "mavrel-batch check 3601 $options 2>/dev/null; exit \$?"
done
rm T T_flag

# The README's GNU parallel batch (its progress bar is for a terminal): a failed tile stops
# it and its job log names the tile; once mended, the same command runs only the tiles that
# did not finish, in any order, and the files are whole.
mkdir tiles && lines tiles/N44E006 missing/N44E007 tiles/N45E006 tiles/N45E007 >batch
recipe=$(grep -A1 '^    mavrel-batch pending tiles.txt 3601' "$1/README.md" |
    sed 's/ 3601/ 3/g; s/tiles\.txt/"$list"/; s/ --bar//' || true)
[ -n "$recipe" ] || fail "the README has no GNU parallel recipe"
expect 255 "failed to create tile: missing/N44E007: No such file or directory" "" \
    env list=batch sh -c "$recipe 2>/dev/null"
expect 0 "missing/N44E007" "" sh -c 'mavrel-batch status batch --joblog tiles.log | tail -n +2'
mkdir missing && expect 0 "" "" env list=batch sh -c "$recipe"
tac batch >reversed && expect 0 "" "" env list=reversed sh -c "$recipe"
expect 0 "$(sed 's/.*/mavrel-batch run & 3/' batch | sort)" "" sh -c "awk -F'\t' '\$7 == 0 { print \$9 }' tiles.log | sort"
expect 0 "4 whole, 0 not whole" "" mavrel-batch verify batch 3

# The xargs recipe of docs/batches.md: a failed tile fails xargs once every run has ended,
# and is named for the retry, which completes the batch.
mkdir xargs && cd xargs && mkdir N45E006
xargs_recipe() { grep -m1 "^    $1 .*xargs -P" "$2/docs/batches.md" | sed 's/ 3601/ 3/g'; }
expect 123 "N45E006" "" sh -c "{ $(xargs_recipe 'mavrel-batch names' "$1"); } >/dev/null 2>&1
    status=\$? && cat failed.txt && exit \$status"
rmdir N45E006 && expect 0 "" "" sh -c "$(xargs_recipe mv "$1")"
expect 0 "$(lines N4{4,5}E00{6,7}{,_flag} retry.txt)" "" sh -c 'ls | sort'
cd ..

# A task of tiles.sbatch run by hand (the Slurm test runs it on Slurm). A mistyped option or
# width, a bad setting and an array that does not cover the list are refused before anything
# is written; the submission computes the array.
mkdir status && lines status/N44E006 nowhere/N44E007 status/N45E006 status/N45E008 status/N43E007 >list
task() { SLURM_ARRAY_TASK_ID=$1 TILES_PER_TASK=$2 tiles.sbatch list "${@:3}"; }
expect 2 "" "" sh -c 'SLURM_ARRAY_TASK_ID=0 tiles.sbatch list 3 --datatype int16 2>/dev/null'
refused "mavrel-batch: WIDTH must be plain decimal digits: '3,601'" task 0 3 3,601
refused "mavrel-batch: GEOREF is 0 or 1, not 'yes'" env GEOREF=yes SLURM_ARRAY_TASK_ID=0 tiles.sbatch list 3
refused "mavrel-batch: TILES_PER_TASK is a whole number from 1, not '0'" task 0 0 3
array="mavrel-batch: list has 5 lines, which tasks of 2 (TILES_PER_TASK) cover with --array=0-2"
for bounds in 0-1 0-3 1-2; do
    refused "$array, not --array=$bounds" env SLURM_ARRAY_TASK_MIN=${bounds%-*} SLURM_ARRAY_TASK_MAX=${bounds#*-} \
        SLURM_ARRAY_TASK_ID=0 TILES_PER_TASK=2 tiles.sbatch list 3
done
expect 1 "0 finished, 0 failed, 5 not yet run" "" sh -c 'ls -A status && [ ! -e list.joblogs ] && mavrel-batch status list'
for lines in 1 100 101 64800; do
    mavrel-batch names -90 90 -180 180 | head -n $lines >submitted && rm -f submitted.batch
    expect 0 "TILES_PER_TASK=100 sbatch --array=0-$(((lines - 1) / 100)) --wait $(cd "$(dirname "$2")/.." && pwd)/share/mavrel/tiles.sbatch submitted 3 -d int16 -f int8" \
        "" mavrel-batch submit submitted 3 -d int16 --dry-run -- --wait
done
# Runs at once per CPU, as the memory per CPU (1 GiB by default) holds runs of the flag type
# that the options select; a task past the list runs nothing.
while read -r jobs settings; do
    expect 0 "" "task 9 runs 0 of lines 10-10 of list, $jobs at a time" env $settings && rm list.batch
done <<ROWS
4 SLURM_ARRAY_TASK_ID=9 TILES_PER_TASK=1 tiles.sbatch list 10801 -d float64
1 SLURM_ARRAY_TASK_ID=9 TILES_PER_TASK=1 tiles.sbatch list 10801 --flag-type=int64
6 SLURM_CPUS_PER_TASK=3 SLURM_MEM_PER_CPU=1024 SLURM_ARRAY_TASK_ID=9 TILES_PER_TASK=1 tiles.sbatch list 10801 -f int32
1 SLURM_ARRAY_TASK_ID=9 TILES_PER_TASK=1 tiles.sbatch list 1000000
ROWS

# A failed tile and a chunk never run, then the map (across the antimeridian too); resubmitted
# with other chunks and the list reversed, the failed tile runs once more and nothing else runs
# again. The rate shows once runs have finished.
expect 1 "failed to create tile: nowhere/N44E007: No such file or directory" \
    "task 0 runs 3 of lines 1-3 of list, 4 at a time" task 0 3 3
legend="# finished, X failed, . not yet run"
expect 0 "$(lines nowhere/N44E007 '    EEE' '    000' '    000' '    678' 'N45 # .' 'N44 #X' 'N43  .' "$legend")" \
    "" sh -c 'mavrel-batch status list --map | tail -n +2'
[[ $(mavrel-batch-status list) =~ ^'2 finished, 1 failed, 2 not yet run, '[0-9]+\.[0-9]{2}' tiles/s, '[0-9]+:[0-9]{2}:[0-9]{2}' left'$'\n' ]] ||
    fail "no rate and time left: $(mavrel-batch status list)"
lines N00W180 N00E179 >edge
expect 1 "$(lines '0 finished, 0 failed, 2 not yet run' '    EW' '    11' '    78' '    90' 'N00 ..' \
    "$legend")" "" mavrel-batch status edge --map
expect 0 "$(lines nowhere/N44E007 status/N45E008 status/N43E007)" "" mavrel-batch-status list --pending
mkdir nowhere && tac list >reversed && mv reversed list
for t in 0 1 2; do task "$t" 2 3 >/dev/null 2>&1 || fail "task $t of the resubmission"; done
expect 0 "$( (cat list && echo nowhere/N44E007) | sed 's/.*/mavrel-batch run & 3/' | sort)" "" \
    sh -c 'cat list.joblogs/* | cut -f9 | sort'
expect 0 "5 finished, 0 failed, 0 not yet run" "" mavrel-batch status list
mkdir logs && lines N00E001 N00E002 N00E003 N00E004 >rated
printf '%s\t' Seq Host Starttime JobRuntime Send Receive Exitval Signal >logs/0 && echo Command >>logs/0
printf '1\t:\t%s\t%s\t0\t0\t%s\t0\tmavrel-strict %s 3\n' 0 1 1 N00E001 1000 2 0 N00E002 1001 3 0 N00E003 >>logs/0
expect 1 "$(lines '2 finished, 1 failed, 1 not yet run, 0.50 tiles/s, 0:00:02 left' N00E001)" "" \
    mavrel-batch status rated --joblog logs
printf '1\t:\t1\t1\t0\t0\t1\t0\tmavrel-batch run N00E001 3\n' >logs/0
expect 1 "$(lines '0 finished, 1 failed, 3 not yet run' N00E001)" "" mavrel-batch status rated --joblog logs

# verify: whole tiles, one through links, a flag file missing, a short height file, a flag
# file alone, a tile missing, a header left by a run of other types, a flipped byte, and the
# temporaries: dead, live, fresh with a free lock, another user's, a FIFO, a name with a
# newline. Each fault is named; once all are whole and the dead removed, it passes.
mkdir check && cd check
for t in N00E00{1..5}; do mavrel $t 2 -d int16; done
rm N00E002_flag N00E005 && truncate -s 7 N00E003 && mkdir sub && ln -s ../N00E001 sub/N00E006 &&
    ln -s ../N00E001_flag sub/N00E006_flag && : >N00E001.vrt && printf '\1\1\1\2' >N00E004_flag
old=$(date -d '-1 hour' +%Y%m%d%H%M)
echo dead >.mavrel-dead01 && echo live >.mavrel-live01 && echo fresh >.mavrel-fresh01 && mkfifo .mavrel-fifo01 &&
    echo x >$'.mavrel-a\nN00E001: whole' && touch -t "$old" .mavrel-dead01 .mavrel-live01 $'.mavrel-a\nN00E001: whole'
(exec {fd}<.mavrel-live01 && flock "$fd" && exec sleep infinity) &
for _ in $(seq 1000); do flock -n .mavrel-live01 true || break; sleep 0.01; done
lines N00E00{1..5} sub/N00E006 >../checked
faults() { lines 'N00E001.vrt: a header of another sample type, left by an earlier run' \
    'N00E002: height file without flag file' 'N00E003: 7 bytes, not 8' "$@" 'N00E005: flag file without height file'; }
temporaries=$(lines '.mavrel-a\nN00E001: whole: dead temporary' '.mavrel-dead01: dead temporary' \
    '.mavrel-fifo01: not a regular file, no temporary of a run')
expect 1 "$(lines '2 whole, 4 not whole; temporaries: 2 dead, 0 removed, 2 live, 1 other' "$(faults)" \
    "$temporaries" '.mavrel-fresh01: temporary with a free lock, written in the last 600 s: not dead yet' \
    '.mavrel-live01: live temporary (a run is writing it)')" "" mavrel-verify ../checked 2 -d int16
expect 1 "$(lines '1 whole, 5 not whole; temporaries: 0 dead, 2 removed, 2 live, 1 other' \
    "$(faults 'N00E004_flag: byte 3 is 02, not 01')" "${temporaries//dead temporary/dead temporary, removed}" \
    '.mavrel-fresh01: temporary with a free lock, written in the last 600 s: not dead yet' \
    '.mavrel-live01: live temporary (a run is writing it)')" "" mavrel-batch verify --remove-dead --content ../checked 2 -d int16
kill %% && wait %% 2>/dev/null || true
rm N00E001.vrt .mavrel-fresh01 .mavrel-fifo01 && touch -t "$old" .mavrel-live01
for t in N00E00{2..5}; do mavrel $t 2 -d int16; done
expect 0 "$(lines '6 whole, 0 not whole; temporaries: 0 dead, 1 removed, 0 live' '.mavrel-live01: dead temporary, removed')" \
    "" mavrel-batch verify --remove-dead --content ../checked 2 -d int16
expect 0 "$(lines '0 whole, 6 not whole' N00E00{1..5}': 8 bytes, not 16' 'sub/N00E006: 8 bytes, not 16')" "" \
    sh -c 'mavrel-batch verify ../checked 2 | sed "/_flag/d"'
cd ..

# Another user's temporary is reported, fails no verify, and stays; root removes a dead one.
if [ "$(id -u)" -eq 0 ]; then
    mkdir theirs && (cd theirs && mavrel N00E001 2 && echo x >.mavrel-root && touch -t "$old" .mavrel-root) &&
        echo theirs/N00E001 >theirs.list
    expect 0 "$(lines '1 whole, 0 not whole; temporaries: 0 dead, 0 removed, 0 live, 1 other' \
        "theirs/.mavrel-root: another user's temporary (uid 0)")" "" \
        setpriv --reuid=nobody --regid=nogroup --clear-groups mavrel-batch verify --remove-dead theirs.list 2
    chown -R nobody theirs
    expect 0 "$(lines '1 whole, 0 not whole; temporaries: 0 dead, 1 removed, 0 live' \
        "theirs/.mavrel-root: dead temporary of uid $(id -u nobody), removed")" "" \
        mavrel-batch verify --remove-dead theirs.list 2
fi

# As root, over another user's directory that the user swaps with a link to a third user's
# directory in a loop, and over a FIFO that the user swaps in for a temporary: nothing of the
# third user's is removed, and verify never waits.
if [ "$(id -u)" -eq 0 ]; then
    mkdir -p hostile/victim && chown nobody hostile && chown daemon hostile/victim && echo hostile/tiles/N00E001 >hostile.list
    as() { echo "setpriv --reuid=$1 --regid=$(id -gn "$1") --clear-groups"; } # a command's prefix
    $(as daemon) bash -c 'cd hostile/victim && echo live >.mavrel-live && touch -t 200001010000 .mavrel-live &&
        exec {fd}<.mavrel-live && flock "$fd" && exec sleep infinity' &
    holder=$!
    # renameat2(AT_FDCWD, "tiles", AT_FDCWD, "link", RENAME_EXCHANGE), and a FIFO made anew.
    $(as nobody) sh -c 'cd hostile && mkdir tiles && echo x >tiles/.mavrel-x && ln -s victim/. link && touch -t 200001010000 tiles/.mavrel-x &&
        exec perl -MPOSIX -e '"'"'my ($t, $l, $f) = ("tiles", "link", "tiles/.mavrel-f");
            while (1) { syscall(316, -100, $t, -100, $l, 2); POSIX::mkfifo($f, 0666) }'"'"'' &
    swapper=$!
    for round in $(seq 50); do timeout 10 mavrel-batch verify --remove-dead --dead-after 1 hostile.list 2 >/dev/null 2>&1 || [ $? != 124 ] || fail "verify hung in round $round"; done
    kill "$holder" "$swapper" && wait "$holder" "$swapper" 2>/dev/null || true
    expect 0 ".mavrel-live" "" ls -A hostile/victim
else
    skipped "a directory swapped by one user under another's verify needs root"
fi

# Headers by mavrel-georef, from tiles.sbatch with GEOREF=1, checked by verify --headers.
lines geo/N45E007 geo/S12W077 >georef && mkdir geo
expect 0 "" "task 0 runs 2 of lines 1-100 of georef, 4 at a time" \
    env GEOREF=1 SLURM_ARRAY_TASK_ID=0 tiles.sbatch georef 3 -f int64
expect 0 "2 whole, 0 not whole" "" mavrel-batch verify --headers georef 3 -f int64
rm geo/S12W077_flag.vrt
expect 1 "$(lines '1 whole, 1 not whole' 'geo/S12W077_flag.vrt: missing')" "" mavrel-batch verify --headers georef 3 -f int64

# Every command answers --help and --version on standard output, the whole program's help
# word for word.
expect 0 "$(cat "$1/tests/batch_help.txt")" "" mavrel-batch --help
for command in names check run pending status verify task submit; do
    expect 0 "mavrel-batch 0.1" "" mavrel-batch $command --version
    mavrel-batch $command --help | grep "^Usage: " >/dev/null || fail "mavrel-batch $command --help"
done
expect 0 "mavrel-verify 0.1" "" mavrel-verify --version
finish
