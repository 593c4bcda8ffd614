#pragma once

// The width and sample types that a batch was started with, kept beside its list, so that a
// resumption cannot mix tiles of two kinds.

#include "mavrel-batch/tile_options.hpp"

#include <string>

namespace batch {

// Returns the name of the record of the batch over the list at list_path: LIST.batch.
std::string record_of(const std::string& list_path);

// Checks options against the record of the batch over the list at list_path, where the list
// is a file (a list from a pipe starts no batch to resume); with start, writes the record
// where there is none yet. Throws std::invalid_argument naming both where they differ, and
// std::system_error where the record cannot be read or written.
void check_record(const std::string& list_path, const TileOptions& options, bool start);

} // namespace batch
