// A region's tiles drawn as a text grid, north up.
#include "mavrel-batch/region_map.hpp"

#include <cstdio>
#include <set>

namespace batch {
namespace {

// Columns are longitudes + 180, from 0 (W180) to 359 (E179).
constexpr int columns = 360;

// The first column and the number of columns of the narrowest span that holds every column
// of used: its widest gap is left out.
std::pair<int, int> span_of(const std::set<int>& used) {
    int start = *used.begin();
    int gap = *used.begin() + columns - *used.rbegin();
    for (auto previous = used.begin(), c = std::next(previous); c != used.end(); previous = c++) {
        if (*c - *previous > gap) {
            gap = *c - *previous;
            start = *c;
        }
    }
    return {start, columns - gap + 1};
}

std::string longitude_label(int column) {
    const int longitude = column % columns - 180;
    char label[16];
    std::snprintf(label, sizeof label, "%c%03d", longitude < 0 ? 'W' : 'E',
                  longitude < 0 ? -longitude : longitude);
    return label;
}

std::string latitude_label(int latitude) {
    char label[16];
    std::snprintf(label, sizeof label, "%c%02d ", latitude < 0 ? 'S' : 'N',
                  latitude < 0 ? -latitude : latitude);
    return label;
}

} // namespace

std::string region_map(const Marks& marks) {
    if (marks.empty()) {
        return "";
    }
    std::set<int> used;
    for (const auto& [cell, mark] : marks) {
        used.insert(cell.second + 180);
    }
    const auto [start, width] = span_of(used);
    std::string text;
    for (std::size_t row = 0; row < 4; ++row) {
        text += "    ";
        for (int i = 0; i < width; ++i) {
            text += longitude_label(start + i)[row];
        }
        text += "\n";
    }
    for (int latitude = marks.rbegin()->first.first; latitude >= marks.begin()->first.first;
         --latitude) {
        std::string line = latitude_label(latitude);
        for (int i = 0; i < width; ++i) {
            const auto found = marks.find({latitude, (start + i) % columns - 180});
            line += found == marks.end() ? ' ' : found->second;
        }
        text += line.substr(0, line.find_last_not_of(' ') + 1) + "\n";
    }
    return text;
}

} // namespace batch
