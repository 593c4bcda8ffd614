#pragma once

// Where a batch stands, from its job logs: the tiles that finished, failed or never ran.

#include "mavrel-batch/job_logs.hpp"
#include "mavrel-batch/tile_list.hpp"

#include <ostream>

namespace batch {

// Prints the lines of the list whose tile has not finished (failed, or never run): the work
// that is left.
void print_pending(const TileList& list, const JobLogs& logs, std::ostream& out);

// Prints "F finished, X failed, P not yet run", with the rate of the latest runs and the time
// left at it once runs have finished and while tiles are left, then each failed line; with
// map, the region ('#' finished, 'X' failed, '.' not yet run). Returns whether every tile
// finished.
bool print_status(const TileList& list, const JobLogs& logs, bool map, std::ostream& out);

} // namespace batch
