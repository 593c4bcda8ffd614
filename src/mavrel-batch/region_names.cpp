// The names of the tiles of a region.
#include "mavrel-batch/region_names.hpp"

#include "tile/tile_name.hpp"

#include <stdexcept>

namespace batch {
namespace {

void check_bound(const char* name, int degrees, int limit) {
    if (degrees < -limit || degrees > limit) {
        throw std::invalid_argument(std::string(name) + " " + std::to_string(degrees) +
                                    " lies beyond -" + std::to_string(limit) + " to " +
                                    std::to_string(limit));
    }
}

} // namespace

std::vector<std::string> region_tiles(int south, int north, int west, int east) {
    check_bound("SOUTH", south, 90);
    check_bound("NORTH", north, 90);
    check_bound("WEST", west, 180);
    check_bound("EAST", east, 180);
    if (south > north) {
        throw std::invalid_argument("SOUTH " + std::to_string(south) + " lies north of NORTH " +
                                    std::to_string(north));
    }
    const int columns = west <= east ? east - west : east - west + 360;
    std::vector<std::string> names;
    for (int latitude = south; latitude < north; ++latitude) {
        for (int column = 0; column < columns; ++column) {
            names.push_back(cli::tile_name({latitude, (west + column + 180) % 360 - 180}));
        }
    }
    return names;
}

} // namespace batch
