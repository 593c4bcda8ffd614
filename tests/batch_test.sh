#!/usr/bin/env bash
# Tests the batch layer as installed, from the build's bin directory: mavrel-tile-names,
# mavrel-strict and its preflight, the README's GNU parallel batch resumed by tile, a task of
# tiles.sbatch run by hand, mavrel-batch-status over its job logs and a plain one, and
# mavrel-verify over the files themselves.
# Usage: batch_test.sh SOURCE_DIR BIN_DIR/mavrel
source "$(dirname "$0")/expect.sh"

# The tiles of a region, and one line on standard error for bad bounds.
expect 0 "$(lines N44E006 N44E007 N45E006 N45E007)" "" mavrel-tile-names 44 46 6 8
expect 0 "$(lines S01W001 S01E000 N00W001 N00E000)" "" mavrel-tile-names -1 1 -1 1
expect 0 "$(lines S90W180 N89E179)" "" sh -c 'mavrel-tile-names -90 90 -180 180 | sed -n "1p;\$p"'
expect 0 "N08W010" "" mavrel-tile-names 08 +9 -010 -9
expect 0 "$(lines N50E179 N50W180 N51E179 N51W180)" "" mavrel-tile-names 50 52 179 -179
expect 0 "" "" mavrel-tile-names 0 1 -180 -180
while IFS='|' read -r bounds message; do
    expect 2 "" "mavrel-tile-names: $message" mavrel-tile-names $bounds
done <<ROWS
1 2 3|usage: mavrel-tile-names SOUTH NORTH WEST EAST (whole degrees)
a 1 0 1|SOUTH is not a whole number of degrees: 'a'
2 1 0 1|SOUTH 2 lies north of NORTH 1
-91 0 0 1|SOUTH -91 lies beyond -90 to 90
0 1 0 181|EAST 181 lies beyond -180 to 180
0 -001234567890 0 1|NORTH -1234567890 lies beyond -90 to 90
ROWS

# mavrel-strict fails where mavrel only warned, and passes mavrel's failures on.
expect 2 "" "unrecognised commandline argument: datatype" mavrel-strict T 1 --datatype int16
expect 255 "failed to create tile: no/T: No such file or directory" "" mavrel-strict no/T 1
expect 0 "" "" mavrel-strict T 1
# Its preflight takes plain digits and what mavrel takes cleanly, and tells the sample sizes;
# it refuses anything else in one line, and writes nothing.
mkdir preflight && cd preflight
sizes="(bytes per height and flag sample)"
expect 0 "4 1 $sizes" "" mavrel-strict --check 3601
expect 0 "8 8 $sizes" "" mavrel-strict --check 0010801 -d float64 --flag-type=INT64
expect 0 "2 1 $sizes" "" mavrel-strict --check 4294967295 -d int16 --version
digits="WIDTH must be plain decimal digits" cleanly="mavrel does not take the options"
for width in 3,601 1e4 10_801 ' 3601' +3601 ''; do
    expect 2 "" "mavrel-strict: $digits: '$width'" mavrel-strict --check "$width"
done
expect 2 "" "mavrel-strict: WIDTH lies beyond 4294967295: '4294967296'" mavrel-strict --check 4294967296
while IFS='|' read -r options message; do
    expect 2 "" "mavrel-strict: $cleanly '$options' cleanly: $message" mavrel-strict --check 1 $options
done <<ROWS
--datatype int16|unrecognised commandline argument: datatype
-d|No value provided for: d
--help|mavrel - generate DEM tiles in TASMER generic format.
ROWS
for options in int16 "-d int16 1"; do
    expect 2 "" "mavrel-strict: mavrel would ignore a word of '$options' that is neither an option nor its value" \
        mavrel-strict --check 3601 $options
done
expect 0 "" "" ls -A
cd ..

# The README's GNU parallel batch (its progress bar is for a terminal): a failed tile stops
# it and its job log names the tile; once mended, the same command runs only the tiles that
# did not finish, in any order, and the files are whole.
mkdir tiles && lines tiles/N44E006 missing/N44E007 tiles/N45E006 tiles/N45E007 >batch
recipe=$(grep -A1 '^    mavrel-strict --check 3601 && mavrel-batch-status tiles.txt' "$1/README.md" |
    sed 's/ 3601/ 3/g; s/tiles\.txt/"$list"/' || true)
[ -n "$recipe" ] || fail "the README has no GNU parallel recipe"
expect 255 "$(lines "4 1 $sizes" "failed to create tile: missing/N44E007: No such file or directory")" "" \
    env list=batch sh -c "$recipe 2>/dev/null"
expect 0 "missing/N44E007" "" sh -c 'mavrel-batch-status batch --joblog tiles.log | tail -n +2'
mkdir missing && expect 0 "4 1 $sizes" "" env list=batch sh -c "$recipe 2>/dev/null"
tac batch >reversed && expect 0 "4 1 $sizes" "" env list=reversed sh -c "$recipe 2>/dev/null"
expect 0 "$(sed 's/.*/mavrel-strict & 3/' batch | sort)" "" sh -c "awk -F'\t' '\$7 == 0 { print \$9 }' tiles.log | sort"
expect 0 "4 whole, 0 not whole" "" mavrel-verify batch 3
# A run that warns fails its tile in the job log, whose tile is still written.
lines tiles/N46E006 >strict
expect 1 "" "unrecognised commandline argument: datatype" parallel --joblog +tiles.log mavrel-strict {} 3 --datatype int16 <strict
expect 1 "$(lines '0 finished, 1 failed, 0 not yet run' tiles/N46E006)" "" mavrel-batch-status strict --joblog tiles.log

# The xargs recipe of docs/batches.md: a failed tile fails xargs once every run has ended,
# and is named for the retry, which completes the batch.
mkdir xargs && cd xargs && mkdir N45E006
xargs_recipe() { grep -m1 "^    $1 .*xargs -P" "$2/docs/batches.md" | sed 's/ 3601/ 3/g'; }
expect 123 "N45E006" "" sh -c "{ $(xargs_recipe 'mavrel-strict --check 3601 &&' "$1"); } >/dev/null 2>&1
    status=\$? && cat failed.txt && exit \$status"
rmdir N45E006 && expect 0 "" "" sh -c "$(xargs_recipe mv "$1")"
expect 0 "$(lines N4{4,5}E00{6,7}{,_flag} retry.txt)" "" sh -c 'ls | sort'
cd ..

# A task of tiles.sbatch run by hand (the Slurm test runs it on Slurm). A mistyped option or
# width is refused before anything is written, and GEOREF is 0 or 1.
mkdir status && lines status/N44E006 nowhere/N44E007 status/N45E006 status/N45E008 status/N43E007 >list
task() { SLURM_ARRAY_TASK_ID=$1 TILES_PER_TASK=$2 tiles.sbatch list "${@:3}"; }
expect 2 "" "mavrel-strict: $cleanly '--datatype int16' cleanly: unrecognised commandline argument: datatype" \
    task 0 3 3 --datatype int16
expect 2 "" "mavrel-strict: $digits: '3,601'" task 0 3 3,601
expect 2 "" "tiles.sbatch: GEOREF is 0 or 1, not 'yes'" env GEOREF=yes SLURM_ARRAY_TASK_ID=0 tiles.sbatch list 3
expect 2 "" "tiles.sbatch: TILES_PER_TASK is a whole number above 0, not '0'" task 0 0 3
expect 1 "0 finished, 0 failed, 5 not yet run" "" sh -c 'ls -A status && [ ! -e list.joblogs ] && mavrel-batch-status list'
# Runs at once per CPU, as the memory per CPU (1 GiB by default) holds runs of the flag type
# that the options select; a task past the list runs nothing.
while read -r jobs settings; do
    expect 0 "tiles.sbatch: task 9 runs 0 of lines 10-10 of list, $jobs at a time" "" env $settings
done <<ROWS
4 SLURM_ARRAY_TASK_ID=9 TILES_PER_TASK=1 tiles.sbatch list 10801 -d float64
1 SLURM_ARRAY_TASK_ID=9 TILES_PER_TASK=1 tiles.sbatch list 10801 --flag-type=int64
6 SLURM_CPUS_PER_TASK=3 SLURM_MEM_PER_CPU=1024 SLURM_ARRAY_TASK_ID=9 TILES_PER_TASK=1 tiles.sbatch list 10801 -f int32
1 SLURM_ARRAY_TASK_ID=9 TILES_PER_TASK=1 tiles.sbatch list 1000000
ROWS

# A failed tile and a chunk never run, with the rate so far and the map (across the
# antimeridian too); then resubmitted with other chunks and the list reversed, the failed
# tile runs once more and nothing else runs again.
expect 1 "$(lines 'tiles.sbatch: task 0 runs 3 of lines 1-3 of list, 4 at a time' \
    'failed to create tile: nowhere/N44E007: No such file or directory')" "" task 0 3 3
legend="# finished, X failed, . not yet run"
expect 0 "$(lines nowhere/N44E007 '    EEE' '    000' '    000' '    678' 'N45 # .' 'N44 #X' 'N43  .' "$legend")" \
    "" sh -c 'mavrel-batch-status list --map | tail -n +2'
[[ $(mavrel-batch-status list) =~ ^'2 finished, 1 failed, 2 not yet run, '[0-9]+\.[0-9]{2}' tiles/s, '[0-9]+:[0-9]{2}:[0-9]{2}' left'$'\n' ]] ||
    fail "no rate and time left: $(mavrel-batch-status list)"
lines N00W180 N00E179 >edge
expect 1 "$(lines '0 finished, 0 failed, 2 not yet run' '    EW' '    11' '    78' '    90' 'N00 ..' \
    "$legend")" "" mavrel-batch-status edge --map
expect 0 "$(lines nowhere/N44E007 status/N45E008 status/N43E007)" "" mavrel-batch-status list --pending
mkdir nowhere && tac list >reversed && mv reversed list
for t in 0 1 2; do task "$t" 2 3 >/dev/null || fail "task $t of the resubmission"; done
expect 0 "$( (cat list && echo nowhere/N44E007) | sed 's/.*/mavrel-strict & 3/' | sort)" "" \
    sh -c 'cat list.joblogs/* | cut -f9 | sort'
expect 0 "5 finished, 0 failed, 0 not yet run" "" mavrel-batch-status list
expect 2 "" "mavrel-batch-status: unknown option '--mpa' (usage: mavrel-batch-status LIST [--map | --pending] [--joblog PATH]...)" \
    mavrel-batch-status list --mpa

# The rate is that of the runs that ended in the last ten minutes, from a job log with its
# header and one made by appending, in a directory.
mkdir logs && lines A B C D >rated
printf '%s\t' Seq Host Starttime JobRuntime Send Receive Exitval Signal >logs/0 && echo Command >>logs/0
printf '1\t:\t%s\t%s\t0\t0\t0\t0\tmavrel-strict %s 3\n' 0 1 A >>logs/0
printf '1\t:\t%s\t%s\t0\t0\t0\t0\tmavrel-strict %s 3\n' 1000 2 B 1001 3 C >logs/1
expect 1 "3 finished, 0 failed, 1 not yet run, 0.50 tiles/s, 0:00:02 left" "" mavrel-batch-status rated --joblog logs

# mavrel-verify: a whole tile, one through links, a flag file missing, a short height file, a
# flag file alone, a tile missing, a dead temporary and one whose lock a run holds, and a
# FIFO passed over. Each fault is named; once all are whole and the dead removed, it passes.
mkdir check && cd check
for t in A B C E; do mavrel "$t" 2 -d int16; done
rm B_flag E && truncate -s 7 C && mkdir sub && ln -s ../A sub/L && ln -s ../A_flag sub/L_flag
echo dead >.mavrel-dead01 && echo live >.mavrel-live01 && mkfifo .mavrel-fifo01
(exec {fd}<.mavrel-live01 && flock "$fd" && exec sleep infinity) &
for _ in $(seq 100); do flock -n .mavrel-live01 true || break; sleep 0.05; done
lines A B C D E sub/L >tiles
faults=$(lines 'B: height file without flag file' 'C: 7 bytes, not 8' 'D: missing' 'E: flag file without height file')
expect 1 "$(lines '2 whole, 4 not whole; temporaries: 1 dead, 0 removed, 1 live' "$faults" \
    '.mavrel-dead01: dead temporary' '.mavrel-live01: live temporary (a run is writing it)')" "" mavrel-verify tiles 2 -d int16
expect 1 "$(lines '2 whole, 4 not whole; temporaries: 0 dead, 1 removed, 1 live' "$faults" \
    '.mavrel-dead01: dead temporary, removed' '.mavrel-live01: live temporary (a run is writing it)')" "" \
    mavrel-verify --remove-dead tiles 2 -d int16
kill %% && wait %% 2>/dev/null || true
for t in B C D E; do mavrel "$t" 2 -d int16; done
expect 0 "$(lines '6 whole, 0 not whole; temporaries: 0 dead, 1 removed, 0 live' '.mavrel-live01: dead temporary, removed')" \
    "" mavrel-verify --remove-dead tiles 2 -d int16
expect 0 "6 whole, 0 not whole" "" mavrel-verify tiles 2 -d int16
expect 0 "$(lines '0 whole, 6 not whole' {A,B,C,D,E,sub/L}': 8 bytes, not 16')" "" sh -c 'mavrel-verify tiles 2 | sed "/_flag/d"'
expect 2 "" "mavrel-verify: unknown option '--bogus' (usage: mavrel-verify [--remove-dead] [--headers] LIST WIDTH [MAVREL OPTIONS...])" \
    mavrel-verify --bogus tiles 2
expect 2 "" "mavrel-strict: $digits: '2x'" mavrel-verify tiles 2x
cd ..

# Headers by mavrel-georef, from tiles.sbatch with GEOREF=1, checked by mavrel-verify --headers.
mkdir geo && lines geo/N45E007 geo/S12W077 >georef
if command -v mavrel-georef >/dev/null; then
    expect 0 "tiles.sbatch: task 0 runs 2 of lines 1-100 of georef, 4 at a time" "" \
        env GEOREF=1 SLURM_ARRAY_TASK_ID=0 tiles.sbatch georef 3 -f int64
    expect 0 "2 whole, 0 not whole" "" mavrel-verify --headers georef 3 -f int64
    rm geo/S12W077_flag.vrt
    expect 1 "$(lines '1 whole, 1 not whole' 'geo/S12W077_flag.vrt: missing')" "" mavrel-verify --headers georef 3 -f int64
else
    expect 2 "" "tiles.sbatch: mavrel-georef is not on the PATH" env GEOREF=1 SLURM_ARRAY_TASK_ID=0 tiles.sbatch georef 3
    expect 2 "" "mavrel-verify: --headers needs mavrel-georef on the PATH" mavrel-verify --headers georef 3
    skipped "mavrel-georef is not on the PATH: headers from tiles.sbatch and mavrel-verify --headers"
fi
finish
