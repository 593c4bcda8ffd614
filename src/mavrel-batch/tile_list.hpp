#pragma once

// A batch's list of tiles: read once, from a file or a pipe, and checked before anything runs.

#include <string>
#include <vector>

namespace batch {

struct TileList {
    std::string path;               // as given
    std::vector<std::string> tiles; // one a line, in order
};

// Reads the list at path, one tile name a line (a directory part allowed); throws
// std::invalid_argument with one line, naming the line, for a list that cannot be read, is
// empty, or holds a line that is no tile name (a carriage return, blanks, an empty line) or a
// name a second time.
TileList read_tile_list(const std::string& path);

} // namespace batch
