// The parts of mavrel-georef's manual page that its declarations cannot give.
#include "completion_and_manual/manual.hpp"

namespace cli {
namespace {

const char* const summary = "write headers that place a mavrel tile for GIS tools";

const char* const tile =
    R"roff(the height file's name, as it was given to mavrel; its last component AXXBYYY, in any
letter case, names the one\-degree cell whose south\-west corner is XX degrees north (A is N)
or south (S) and YYY degrees east (B is E) or west (W).
Latitudes run from S90 to S01 and N00 to N89, longitudes from W180 to W001 and E000 to E179:
S00 and W000 name no cell.)roff";

const char* const width =
    R"roff(the tile width in pixels, as it was given to mavrel: 2 or more.)roff";

const char* const version =
    R"roff(as the only argument, prints the program's name and version and exits.)roff";

const char* const description = R"roff(.B mavrel\-georef
writes a header beside each file of a tile that
.BR mavrel (1)
wrote, so that GDAL, and so QGIS, opens the file where it lies on the Earth.
It takes the arguments that made the tile, and checks the two files against them before it
writes anything.
.PP
The placement is SRTM's: the tile covers the one\-degree cell that its name gives, its
samples lie on the degree lines, the first row on the cell's north edge and the first column
on its west edge, and neighbouring tiles share their edge rows and columns.
A pixel is 1/(WIDTH \- 1) degrees wide and high, centred on its sample, so the outer pixels
reach half a pixel beyond the cell: the raster's upper\-left corner lies at longitude
west \- d/2 and latitude north + d/2, with d = 1/(WIDTH \- 1).
The coordinate system is WGS 84 (EPSG:4326), and the samples are little\-endian, unsigned
for the integer types, bytes for int8 flags.
)roff";

const char* const exit_status =
    R"roff(0 when both headers were written and reached stable storage.
0 also after \-\-version or \-\-help, once standard output took their text.
.PP
255 after a command\-line error (where mavrel only warns, an unknown option, with a hint at
the option meant, and a word after WIDTH are errors too), when the name gives no cell, the width is below 2, a file
of the tile is missing or its size differs from WIDTH \(mu WIDTH samples of its type, or a
header could not be written; one line on standard error says why.
Nothing is written after a failed check, and no header changes when one could not be
written.
)roff";

const char* const files = R"roff(.TP
.I TILE\fB.hdr\fR, \fITILE\fB_flag.hdr
an ENVI header: samples, lines, bands, header offset, file type, data type, interleave bsq,
byte order 0, map info with the geographic system on WGS 84, and WGS 84's coordinate system
string.
GDAL opens
.I TILE
and
.I TILE\fB_flag\fR
themselves through it.
.TP
.I TILE\fB.aux.xml\fR, \fITILE\fB_flag.aux.xml
beside an ENVI header, GDAL's own sidecar file with AREA_OR_POINT=Point: a sample is the
value at its point, not over its pixel, which GDAL's ENVI driver reads from nowhere else.
GDAL adds its statistics there when asked for them.
.TP
.I TILE\fB.vrt\fR, \fITILE\fB_flag.vrt
for int64 samples, instead: GDAL 3.6's ENVI driver refuses ENVI's 64\-bit integer types, so a
GDAL virtual raster with a raw band of type UInt64, the same placement and WGS 84 describes
the file, with AREA_OR_POINT=Point; GDAL opens the
.B .vrt
file.
.PP
Headers are replaced as mavrel replaces a tile: all are written complete and on stable
storage before any takes its name, so a run that fails leaves the old headers or none.
Headers of the other kind that an earlier run left (the
.B .hdr
and
.B .aux.xml
files where a
.B .vrt
file is now written, or the reverse) are removed then, where they are regular files.
)roff";

const char* const examples = R"roff(.TP
.B mavrel N45E007 3601 && mavrel\-georef N45E007 3601
writes the tile and its headers N45E007.hdr and N45E007_flag.hdr.
.TP
.B gdalinfo N45E007
shows the tile's size, type, WGS 84 and its corners, from (6.9998611, 46.0001389) to
(8.0001389, 44.9998611).
.TP
.B mavrel S12W077 1201 \-d int64 && mavrel\-georef S12W077 1201 \-d int64 && gdalinfo S12W077.vrt
int64 heights: GDAL opens S12W077.vrt, and S12W077_flag itself.
.TP
.B gdalbuildvrt heights.vrt N44E006 N44E007 N45E006 N45E007
one mosaic of a region's height files, from 6 \- d/2 to 8 + d/2 east and 44 \- d/2 to 46 + d/2
north; the flag files mosaic the same way.
)roff";

const char* const see_also = ".BR mavrel (1),\n.BR gdalinfo (1),\n.BR gdalbuildvrt (1)\n";

} // namespace

const Manual georef_manual{summary,     tile,  width,    version, description,
                           exit_status, files, examples, see_also};

} // namespace cli
