#pragma once

// The grammar of tile names, SRTM's: the one-degree cell that a name gives.

#include <string>

namespace cli {

// A one-degree cell of latitude and longitude, by its south-west corner in whole degrees,
// negative to the south and west.
struct Cell {
    int south;
    int west;
};

// Returns the cell that the tile's name gives, SRTM's way: its last path component AXXBYYY,
// letters in any case, names the cell whose south-west corner is XX degrees north (A 'N') or
// south ('S') and YYY east ('E') or west ('W'). Throws std::invalid_argument naming the tile
// when it names no cell, S00 and W000 included.
Cell cell_of(const std::string& tile);

// Returns the name AXXBYYY of a cell (N45E007, S01W001), which cell_of reads back.
std::string tile_name(Cell cell);

} // namespace cli
