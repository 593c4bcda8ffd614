#pragma once

// mavrel's generation run: the tile pair that a command line asks for, written.

#include "mavrel/config.hpp"

namespace cli {

// Writes the height tile, then the flag tile, both complete and synced before either takes its
// name; returns 0, or -1 after printing why a stage failed.
int generate(const Config& config);

} // namespace cli
