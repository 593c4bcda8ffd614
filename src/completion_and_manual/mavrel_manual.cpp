// The prose of mavrel's manual page, which its declarations cannot give.
#include "completion_and_manual/manual.hpp"

namespace cli {
namespace {

const char* const summary = "generate DEM tiles in TASMER generic format";

const char* const tile =
    R"roff(the height file's name, used unchanged; by convention AXXBYYY, with A N or S and B E or W.
It may hold a directory, which must exist.)roff";

const char* const width = R"roff(the tile width in pixels, a decimal number from 0 to 4294967295.
Text after its digits is ignored (3601x is 3601), hexadecimal is not read (0x10 is 0),
and 0 makes two empty files.)roff";

const char* const version =
    R"roff(as the only argument, prints the program's name and version and exits;
anywhere else it is an ordinary flag that changes nothing, and the tile is written.)roff";

const char* const description = R"roff(.B mavrel
writes one square digital elevation model (DEM) tile in the TASMER generic format:
two files, the height tile
.I TILE
with WIDTH \(mu WIDTH height samples of value 0, and the flag (mask) tile
.I TILE\fB_flag\fR
with as many flag samples of value 1.
.PP
The generic format is raw samples and nothing else: no header, no trailer and no
metadata, one sample directly after another, row after row, in host byte order
(little-endian on x86\-64).
Nothing in a file records its width or sample type: the command line that made it
does, and a file is WIDTH\(S2 \(mu the sample size long.
.PP
An option's value may follow as the next word or after "=", and type names are accepted
in any letter case.
)roff";

const char* const exit_status =
    R"roff(0 when both files were written and reached stable storage, with their names: a power cut
after that keeps them.
0 also after \-\-version or \-\-help, once standard output took their text.
An unknown option only warns on standard error: the tile is still written and the status
stays 0.
255 after a command-line error (message on standard error) or when a file could not
be made (message on standard output, or on standard error where standard output takes
nothing, as a closed pipe).
)roff";

const char* const files = R"roff(.TP
.I TILE
WIDTH \(mu WIDTH height samples of value 0, in the type of \-\-data\-type.
.TP
.I TILE\fB_flag\fR
WIDTH \(mu WIDTH flag samples of value 1, in the type of \-\-flag\-type.
.PP
An existing regular file is replaced only once the new one is complete and on stable
storage, and neither file of the pair is replaced before both are: the new content goes into
an unnamed file beside the old one (or, where the file system has none, a temporary file that
only its user may open), which then takes its name, owner, group, mode with set\-ID bits,
ACL, extended attributes, file capability (where the user may set one) and chattr flags S, d,
A, c, m and C, but not integrity hashes, which the new content voids; a failure to read or
give any of them fails the run.
Once complete, each new file waits under a name of its own, .mavrel\-\fIFILE\fR.XXXXXX,
drawn at random; then both are renamed over the old files, one after the other, and each
name is checked to be the run's own file.
A run that fails leaves the old pair and no temporary file; every signal but SIGKILL also
removes the temporary files.
SIGKILL can leave them, whose flock(2) locks then are free: no run of mavrel removes another
run's temporary file, the batch tools' verify step does.
Only SIGKILL or a power cut between the two renames can leave a new height file beside the
old flag file.
A symbolic link keeps pointing to its target, which is replaced so; in a sticky
directory such as /tmp, only a link that the user or the directory's owner owns is
followed, and another user's regular file or FIFO is refused, as the shell's > refuses it.
Where the new file cannot get the old one's owner, group or attributes, or the directory
forbids the replacement, but the file itself may be written, the file is rewritten in
place, without its set\-ID bits until the last byte is written, and so are devices, FIFOs
and names of open files such as /dev/stdout.
An append\-only or immutable directory is refused.
Hard links to a replaced file keep the old content.
)roff";

const char* const examples = R"roff(.TP
.B mavrel N45E007 3601
float32 heights and int8 flags: N45E007 (51868804 bytes) and N45E007_flag (12967201 bytes).
.TP
.B mavrel N45E007 1201 \-d int16 \-f int16
16\-bit heights and flags, 2884802 bytes each.
.TP
.B mavrel N45E007 3601 int16
float32 heights: a word after the width that is no option is ignored, as an unknown option
only warns.
.B mavrel\-batch check 3601 int16
refuses both, in one line, before a batch.
.TP
.B printf '%s\en' N45E006 N45E007 | xargs \-P 2 \-I{} sh \-c 'mavrel\-batch run \(dq$1\(dq 3601 || exit 1' sh {}
two tiles at a time, each failing where mavrel failed or would have warned.
A run that fails exits with 1, not mavrel's 255, on which xargs would stop at once while
the other run still writes: so xargs runs every tile, waits for every run, and exits with
123 if one failed.
.TP
.B mavrel\-batch pending tiles.txt 3601 \-\-joblog tiles.log | parallel \-\-halt now,fail=1 \-\-joblog +tiles.log mavrel\-batch run {} 3601
the same with GNU parallel, one run per processor: it stops at the first failure and records
in tiles.log which tiles finished; once the cause is mended, the same command runs the
tiles that did not finish, and
.B mavrel\-batch verify tiles.txt 3601
checks the files; see
.BR mavrel\-batch (1).
.TP
.B python3 \-c \(dqimport numpy; print(numpy.fromfile('N45E007', '<f4').reshape(3601, \-1))\(dq
reads the heights back with numpy.
The integer types are unsigned: int16, int32 and int64 are \(dq<u2\(dq, \(dq<u4\(dq and
\(dq<u8\(dq, float64 is \(dq<f8\(dq and the int8 flags are \(dqu1\(dq.
.TP
.B mavrel\-georef N45E007 3601 && gdalinfo N45E007
writes headers beside both files that place the tile where its name says, in WGS 84, so
that GDAL and QGIS open it there; see
.BR mavrel\-georef (1).
)roff";

const char* const see_also =
    ".BR mavrel\\-batch (1),\n.BR mavrel\\-georef (1),\n.BR gdalinfo (1),\n"
    ".BR parallel (1),\n.BR xargs (1)\n";

} // namespace

const Manual mavrel_manual{summary,     tile,  width,    version, description,
                           exit_status, files, examples, see_also};

} // namespace cli
