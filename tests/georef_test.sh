#!/usr/bin/env bash
# Writes tiles with the built mavrel, their headers with mavrel-georef, and opens them with real
# GDAL: size, sample type, placement to the half pixel and WGS 84 as gdalinfo reports them, the
# samples at a cell's centre, a region's mosaic as docs/gis.md makes it; then the names, widths
# and files that fail, and a killed run.
# Usage: georef_test.sh SOURCE_DIR MAVREL_BINARY
source "$(dirname "$0")/expect.sh"
export LC_ALL=C # for the order of names
gis=$1/docs/gis.md

# Its own name in its version line and its help text, whose table is mavrel's.
expect 0 "mavrel-georef $(mavrel --version | cut -d' ' -f2)" "" mavrel-georef --version
expect 0 "$(lines 'mavrel-georef - write headers that place a mavrel tile for GIS tools.' \
    'The mavrel authors <https://mavrel.example.org/>' '' 'Usage: mavrel-georef TILE WIDTH  [options...]' \
    "$(mavrel --help | sed -n '5,$p')")" "" mavrel-georef --help

# info FILE: what gdalinfo -json reads of FILE: size, band type, whether the system is WGS 84
# as EPSG:4326, the geotransform to 12 decimals and AREA_OR_POINT (python3 comes with gdal-bin).
info() {
    gdalinfo -json "$1" | python3 -c 'import json, sys
info = json.load(sys.stdin)
wkt = info["coordinateSystem"]["wkt"]
wgs84 = wkt.startswith("GEOGCRS[\"WGS 84\"") and wkt.endswith("ID[\"EPSG\",4326]]")
print(*info["size"], info["bands"][0]["type"], "WGS84" if wgs84 else wkt,
      *("%.12f" % (number + 0.0) for number in info["geoTransform"]),
      info.get("metadata", {}).get("", {}).get("AREA_OR_POINT", "none"))'
}
# placed COLUMNS ROWS TYPE WIDTH WEST NORTH [AREA_OR_POINT]: that line for a raster of tiles of
# WIDTH whose first sample lies at WEST, NORTH: its corner is half a pixel beyond.
placed() {
    awk -v type="$3" -v w="$4" -v x="$5" -v y="$6" -v size="$1 $2" -v point="${7:-Point}" 'BEGIN { d = 1 / (w - 1)
        printf "%s %s WGS84 %.12f %.12f %.12f %.12f %.12f %.12f %s\n", size, type, x - d / 2, d, 0, y + d / 2, 0, -d, point }'
}
value() { gdallocationinfo -valonly -wgs84 "$@"; }
# block LANGUAGE N [FILE]: the Nth block of LANGUAGE in FILE, docs/gis.md by default.
block() { awk -v n="$2" -v start="\`\`\`$1" '/^```/ { inside = $0 == start && ++count == n; next } inside' "${3:-$gis}"; }
run_recipe() { bash -e -c "$(block sh "$1")" >/dev/null; }

# opened FILE TYPE: what GDAL opens for FILE of samples of TYPE; header FILE TYPE: its header.
opened() { if [ "$2" = int64 ]; then echo "$1.vrt"; else echo "$1"; fi; }
header() { if [ "$2" = int64 ]; then echo "$1.vrt"; else echo "$1.aux.xml $1.hdr"; fi; }

# Every type on both tiles: each file opens as its type, where its name puts it; the heights
# read 0 and the flags 1 at the cell's centre.
while read -r height height_gdal flag flag_gdal; do
    for tile in "N45E007 3601 7 46 7.5 45.5" "S12W077 1201 -77 -11 -76.5 -11.5"; do
        read -r name width west north lon lat <<<"$tile"
        mavrel "$name" "$width" -d "$height" -f "$flag"
        expect 0 "" "" mavrel-georef "$name" "$width" -d "$height" -f "$flag"
        expect 0 "$name $(header "$name" "$height") ${name}_flag $(header "${name}_flag" "$flag")" "" \
            sh -c "echo $name*"
        for file in "$name $height $height_gdal 0" "${name}_flag $flag $flag_gdal 1"; do
            read -r file type gdal_type sample <<<"$file"
            expect 0 "$(placed "$width" "$width" "$gdal_type" "$width" "$west" "$north")" "" \
                info "$(opened "$file" "$type")"
            expect 0 "$sample" "" value "$(opened "$file" "$type")" "$lon" "$lat"
        done
        rm "$name"*
    done
done <<'EOF'
int16 UInt16 int8 Byte
int32 UInt32 int16 UInt16
int64 UInt64 int32 UInt32
float32 Float32 int64 UInt64
float64 Float64 int8 Byte
EOF

# Rewritten with other types, a tile gets the other kind of header, and the old kind goes.
for heights in int64 float32 int64; do
    mavrel N45E007 3 -d $heights && expect 0 "" "" mavrel-georef N45E007 3 -d $heights
    expect 0 "N45E007 $(header N45E007 $heights) N45E007_flag $(header N45E007_flag int8)" "" sh -c 'echo N45E007*'
done
rm N45E007*

# Names as mavrel takes them, at the corners of the range: any letter case, a directory part.
mkdir d
while read -r name west north; do
    mavrel "$name" 3 && expect 0 "" "" mavrel-georef "$name" 3
    expect 0 "$(placed 3 3 Float32 3 "$west" "$north")" "" info "$name"
done <<'EOF'
d/s90w180 -180 -89
N89E179 179 90
n00e000 0 1
S01W001 -1 0
EOF

# A name, width or file that fails: one line, and no header written. Both files are checked
# before the first header.
mavrel N45E007 3
tile_name="not a tile name AXXBYYY, with A 'N' or 'S' and B 'E' or 'W'"
latitudes="(S90 to S01, N00 to N89)" longitudes="(W180 to W001, E000 to E179)"
while IFS='|' read -r arguments message; do
    # shellcheck disable=SC2086
    expect 255 "" "$message" mavrel-georef $arguments
    expect 0 "N45E007 N45E007_flag" "" sh -c 'echo N45E007*'
done <<EOF
tile7 3|tile7: $tile_name
N45E007/ 3|N45E007/: $tile_name
N45E007.hgt 3|N45E007.hgt: $tile_name
N4E007 3|N4E007: $tile_name
N45E07 3|N45E07: $tile_name
X45E007 3|X45E007: $tile_name
N45X007 3|N45X007: $tile_name
N4aE007 3|N4aE007: $tile_name
N95E007 3|N95E007: no cell has the latitude N95 $latitudes
S91E007 3|S91E007: no cell has the latitude S91 $latitudes
S00E007 3|S00E007: no cell has the latitude S00 $latitudes
N90E007 3|N90E007: no cell has the latitude N90 $latitudes
N45E181 3|N45E181: no cell has the longitude E181 $longitudes
N45E180 3|N45E180: no cell has the longitude E180 $longitudes
N45W000 3|N45W000: no cell has the longitude W000 $longitudes
N45W181 3|N45W181: no cell has the longitude W181 $longitudes
N45E007 0|width 0: a tile needs 2 or more samples a side to span its cell
N45E007 1|width 1: a tile needs 2 or more samples a side to span its cell
N45E007 3 -d int16|N45E007: 36 bytes, not 3x3 int16 samples
N45E007 3 -f int16|N45E007_flag: 9 bytes, not 3x3 int16 samples
N45E007 2|N45E007: 36 bytes, not 2x2 float32 samples
N45E008 3|N45E008: No such file or directory
d 3|d: $tile_name
N45E007 3 --datatype int16|unrecognised commandline argument: datatype (did you mean --data-type?)
N45E007 3 extra|unexpected argument: extra
EOF
mkdir N45E009 && touch N45E009_flag
expect 255 "" "N45E009: not a regular file" mavrel-georef N45E009 3
expect 255 "" "N45E009\\n: $tile_name" mavrel-georef $'N45E009\n' 3
rm -r N45E009*

# A run killed while its first header waits for stable storage leaves none, nor any other
# file (strace holds the sync: the header is complete in an unnamed file by then).
strace -qq -o /dev/null -e trace=fsync -e inject=fsync:delay_enter=2000000 mavrel-georef N45E007 3 2>/dev/null &
for _ in $(seq 500); do ls -l /proc/$(pgrep -P $! || echo 0)/fd 2>/dev/null | grep -q deleted && break; sleep 0.01; done
kill -KILL "$(pgrep -P $!)" && { wait $! 2>/dev/null || true; }
expect 0 "N45E007 N45E007_flag" "" sh -c 'echo N45E007*'
rm N45E007*

# The header and gdalinfo's reading of it at width 3601 are as the page and the README show;
# the README's numpy recipe reads the tile (Debian's python3 with numpy comes with gdal-bin).
mavrel N45E007 3601 && mavrel-georef N45E007 3601
expect 0 "$(block text 1)" "" cat N45E007.hdr
for shown in "$(block text 2)" "$(block text 1 "$1/README.md")"; do
    [ -n "$shown" ] || fail "a page shows no gdalinfo output"
    expect 0 "$shown" "" grep -Fx -f <(echo "$shown") <(gdalinfo N45E007)
done
expect 0 "0.0 1" "" /usr/bin/python3 -c "$(block python 1 "$1/README.md")
print(heights.max(), flags.min())"
rm N45E007*

# The page's mosaic across the equator and the prime meridian: 2 x 1200 + 1 samples a side,
# from -1 to 1 plus half a pixel, every flag 1.
mkdir region && cd region
expect 0 "" "" run_recipe 1
for mosaic in "heights Float32 0" "flags Byte 1"; do
    read -r mosaic type sample <<<"$mosaic"
    expect 0 "$(placed 2401 2401 "$type" 1201 -1 1 none)" "" info "$mosaic.vrt"
    for place in "-0.5 -0.5" "0.5 0.5" "0 0" "-1.0004 1.0004" "1.0004 -1.0004"; do
        expect 0 "$sample" "" value "$mosaic.vrt" $place
    done
done
cd .. && rm -r region

# Across the antimeridian, gdalbuildvrt spans the globe; the page's warp gives the region.
mkdir across && cd across
expect 0 "" "" run_recipe 2
expect 0 "" "" gdalbuildvrt -q world.vrt N00E179 N00W180
expect 0 "$(placed 432001 1201 Float32 1201 -180 1 none)" "" info world.vrt
for mosaic in "heights Float32 0" "flags Byte 1"; do
    read -r mosaic type sample <<<"$mosaic"
    expect 0 "$(placed 2401 1201 "$type" 1201 179 1)" "" info "$mosaic.tif"
    for place in "179.0001 0.5" "179.9999 0" "180 1" "180.0001 0.5" "180.9999 0.0001"; do
        expect 0 "$sample" "" value "$mosaic.tif" $place
    done
done
cd ..
finish
