#!/usr/bin/env bash
# Runs the EXAMPLES of mavrel's and mavrel-georef's manual pages as a reader types them, at
# width 3 where they say 3601 or 1201, beside the tiles that they presume: each succeeds but
# the one that the page says is refused.
# Usage: manual_examples_test.sh SOURCE_DIR MAVREL_BINARY PAGES_DIR
source "$(dirname "$0")/expect.sh"

pages=$3
# examples PAGE: the commands in bold under EXAMPLES, as roff shows them.
examples() {
    zcat "$pages/$1.1.gz" | sed -n '/^\.SH "EXAMPLES"/,/^\.SH /s/^\.B //p' |
        sed 's/\\-/-/g; s/\\(dq/"/g; s/\\e/\\/g; s/\b\(3601\|1201\)\b/3/g'
}

# The examples' python3 is Debian's, with the numpy that bootstrap installs.
mkdir .debian && ln -s /usr/bin/python3 .debian/python3 && PATH=$work/.debian:$PATH
for tile in N44E006 N44E007 N45E006; do mavrel $tile 3 && mavrel-georef $tile 3; done
lines N45E006 N45E007 >tiles.txt
refused="mavrel-batch check 3 int16"
count=0
while IFS= read -r example; do
    status=0 && [ "$example" != "$refused" ] || status=2
    got=0 && sh -c "$example" >/dev/null 2>&1 </dev/null || got=$?
    [ "$got" -eq "$status" ] || fail "'$example' exits with $got, not $status"
    count=$((count + 1))
done < <(examples mavrel && examples mavrel-georef)
[ "$count" -eq 13 ] || fail "$count examples, not 13"
finish
