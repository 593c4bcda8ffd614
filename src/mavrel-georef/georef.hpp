#pragma once

// mavrel-georef's run: a tile pair checked against its command line, then its headers written.

#include "mavrel/config.hpp"

namespace cli {

// Writes a header beside each file of the tile pair that the configuration describes, once
// the name, the width and both files' sizes are checked; returns 0, or -1 after saying on
// standard error why nothing or not everything was written.
int georef(const Config& config);

} // namespace cli
