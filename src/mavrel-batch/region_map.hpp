#pragma once

// A region's tiles drawn as a text grid, north up, a character per one-degree cell.

#include "tile/tile_name.hpp"

#include <map>
#include <string>
#include <utility>

namespace batch {

// The mark of each cell, by its south-west corner (latitude, longitude).
using Marks = std::map<std::pair<int, int>, char>;

// Returns the grid of the marked cells: rows from north to south, each led by its latitude
// (N45), and columns from west to east over the narrowest span of longitude that holds every
// cell, across the antimeridian where that is narrower, their longitudes written downwards
// on top (E, 0, 0, 7). Unmarked cells are blank; nothing where no cell is marked.
std::string region_map(const Marks& marks);

} // namespace batch
