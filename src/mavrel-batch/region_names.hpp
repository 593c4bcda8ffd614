#pragma once

// The names of the tiles of a region.

#include <string>
#include <vector>

namespace batch {

// Returns the names of the one-degree tiles whose south-west corners lie at latitudes south to
// north - 1 and longitudes west to east - 1, south to north and west to east; a west greater
// than east crosses the antimeridian, as in GeoJSON (170 -170 is 170 to 179, then -180 to
// -171). Throws std::invalid_argument for bounds beyond -90..90 and -180..180, or a south
// north of north.
std::vector<std::string> region_tiles(int south, int north, int west, int east);

} // namespace batch
