// The prose of mavrel-batch's manual page, which its declarations cannot give.
#include "completion_and_manual/manual.hpp"

namespace cli {
namespace {

const char* const summary = "write, follow and check batches of mavrel tiles";

const char* const description = R"roff(.B mavrel\-batch
runs the steps of a batch of
.BR mavrel (1)
tiles, with GNU parallel or on Slurm: the names of a region's tiles, a preflight, a strict run
of one tile, the tiles still to write, where a batch stands, and a check of the files
themselves.
.PP
A batch is a list of tile names, one a line, each AXXBYYY with a directory part or none, as
.B mavrel\-batch names
prints them.
A list is read once, from a file or a pipe, and checked before anything runs: a list that
names no tile, a line that is no tile name (a carriage return, a blank, an empty line) or
a tile named twice is refused in one line that names the line.
.PP
Every command reads WIDTH as plain decimal digits and takes only the options it declares,
where
.B mavrel
reads 3,601 as 3 and only warns about an unknown option: a mistake fails in the batch's
first second, with status 2, and nothing is written.
.PP
A batch remembers its width and types: the first
.B pending
or
.B task
over a list that is a file writes them into
.IR LIST \fB.batch\fR,
and a later
.BR pending ,
.BR task ,
.BR status ,
.B verify
or
.B submit
with another width or other types is refused, naming both.
.PP
.B run
writes the tile in its own process, as
.B mavrel
does: a strict run costs what a plain one costs.
.B status
and
.B pending
read GNU parallel's job logs (\-\-joblog), those that tiles.sbatch keeps in
.IR LIST \fB.joblogs/\fR
by default; a tile counts by its latest run.
.B verify
reads the files: both files of every tile at the sizes that WIDTH and the types give, flag
files without height files and the reverse, headers of another sample type that an earlier
.BR mavrel\-georef (1)
left, with \-\-content every byte, and the temporary files .mavrel\-* that runs leave in the
tiles' directories.
A temporary file is live while a run holds its lock, or was written less than \-\-dead\-after
seconds ago, since locks are not shared on every file system (NFS mounted nolock, sshfs);
dead otherwise.
\-\-remove\-dead removes the dead ones of the user who runs it, and root's removes any user's
reached without a symbolic link; each is judged through its own descriptor, in the tile's
directory held as mavrel reaches it, never waited on, and removed only while its name still
names the file judged.
Another user's temporary file is reported and fails no verify.
Every name is shown with its control characters escaped.
.PP
Under its names of earlier releases the program is the command that each was:
.B mavrel\-tile\-names
is
.BR "mavrel\-batch names" ,
.B mavrel\-strict
is
.B mavrel\-batch run
(with \-\-check first,
.BR check ),
.B mavrel\-batch\-status
is
.B mavrel\-batch status
(with \-\-pending,
.BR pending ),
and
.B mavrel\-verify
is
.BR "mavrel\-batch verify" .
)roff";

const char* const exit_status = R"roff(0 when the command did what it says:
.B status
only when every tile of the list finished,
.B verify
only when every tile is whole and none of the user's temporary files is left, 1 when not.
.PP
2 after a command-line error or a list, width, type, batch or Slurm environment that is
refused, with one line on standard error.
255 when
.B run
could not write the tile, as
.B mavrel
fails, with its line.
0 after \-\-help or \-\-version.
)roff";

const char* const files = R"roff(.TP
.IR LIST \fB.batch\fR
the width and sample types of the batch over LIST.
.TP
.IR LIST \fB.joblogs/\fITASK
the job log of each Slurm task, which tiles.sbatch appends to.
.TP
.I /usr/share/mavrel/tiles.sbatch
one task of a Slurm array: it runs
.B mavrel\-batch task
and then GNU parallel over the task's pending tiles.
.TP
.I .mavrel\-*
temporary files of runs, in the tiles' directories.
)roff";

const char* const examples = R"roff(.TP
.B mavrel\-batch names 44 46 6 8 >tiles.txt
the four tiles N44E006 to N45E007.
.TP
.B mavrel\-batch pending tiles.txt 3601 \-\-joblog tiles.log | parallel \-\-halt now,fail=1 \-\-joblog +tiles.log mavrel\-batch run {} 3601
a batch through GNU parallel; run again, it writes only what did not finish.
.TP
.B mavrel\-batch status tiles.txt \-\-joblog tiles.log \-\-map
counts, rate and time left, failed tiles and a map.
.TP
.B mavrel\-batch verify \-\-remove\-dead tiles.txt 3601
the files themselves, and the dead temporary files removed.
.TP
.B mavrel\-batch submit tiles.txt 3601 \-\- \-\-wait
a Slurm array that covers the list, TILES_PER_TASK lines a task.
)roff";

const char* const see_also = ".BR mavrel (1),\n.BR mavrel\\-georef (1),\n.BR parallel (1),\n"
                             ".BR sbatch (1)\n";

} // namespace

const Manual batch_manual{summary,     nullptr, nullptr,  nullptr, description,
                          exit_status, files,   examples, see_also};

} // namespace cli
