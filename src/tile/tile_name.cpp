// The grammar of tile names: the one-degree cell that a name gives.
#include "tile_name.hpp"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace cli {
namespace {

// One coordinate of the name: a hemisphere letter, then a fixed number of digits.
struct Axis {
    std::size_t first;
    std::size_t digits;
    const char* hemispheres; // the positive one, then the negative one
    int lowest;
    int highest;
    const char* name;
    // The negative hemisphere has no 0: that cell is the positive hemisphere's 0.
    const char* corners;
};

const Axis latitude{0, 2, "NS", -90, 89, "latitude", "S90 to S01, N00 to N89"};
const Axis longitude{3, 3, "EW", -180, 179, "longitude", "W180 to W001, E000 to E179"};

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool has_form(const std::string& name, const Axis& axis) {
    const char hemisphere = upper(name[axis.first]);
    if (hemisphere != axis.hemispheres[0] && hemisphere != axis.hemispheres[1]) {
        return false;
    }
    for (std::size_t i = axis.first + 1; i <= axis.first + axis.digits; ++i) {
        if (name[i] < '0' || name[i] > '9') {
            return false;
        }
    }
    return true;
}

// The corner's degrees on axis, negative in its negative hemisphere; throws where no cell is.
int corner(const std::string& tile, const std::string& name, const Axis& axis) {
    const bool negative = upper(name[axis.first]) == axis.hemispheres[1];
    const int value = std::stoi(name.substr(axis.first + 1, axis.digits));
    const int degrees = negative ? -value : value;
    if (degrees < axis.lowest || degrees > axis.highest || (negative && value == 0)) {
        throw std::invalid_argument(tile + ": no cell has the " + axis.name + " " +
                                    name.substr(axis.first, axis.digits + 1) + " (" + axis.corners +
                                    ")");
    }
    return degrees;
}

} // namespace

Cell cell_of(const std::string& tile) {
    const std::string name = tile.substr(tile.rfind('/') + 1);
    if (name.size() != 7 || !has_form(name, latitude) || !has_form(name, longitude)) {
        throw std::invalid_argument(
            tile + ": not a tile name AXXBYYY, with A 'N' or 'S' and B 'E' or 'W'");
    }
    return {corner(tile, name, latitude), corner(tile, name, longitude)};
}

std::string tile_name(Cell cell) {
    char name[32];
    std::snprintf(name, sizeof name, "%c%02d%c%03d", cell.south < 0 ? 'S' : 'N',
                  std::abs(cell.south), cell.west < 0 ? 'W' : 'E', std::abs(cell.west));
    return name;
}

} // namespace cli
