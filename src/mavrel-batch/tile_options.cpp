// What a batch writes of every tile, read strictly.
#include "mavrel-batch/tile_options.hpp"

#include <argparse/printable.hpp>

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace batch {

std::uint32_t width_of(const std::string& text) {
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (text.empty() || !std::all_of(text.begin(), text.end(), digit)) {
        throw std::invalid_argument("WIDTH must be plain decimal digits: '" +
                                    argparse::printable(text) + "'");
    }
    std::uint64_t width = 0;
    for (const char c : text) {
        width = width * 10 + static_cast<std::uint64_t>(c - '0');
        if (width > std::numeric_limits<std::uint32_t>::max()) {
            throw std::invalid_argument("WIDTH lies beyond 4294967295: '" + text + "'");
        }
    }
    return static_cast<std::uint32_t>(width);
}

std::string describe(const TileOptions& options) {
    return "width " + std::to_string(options.width) + ", -d " +
           cli::sample_type(options.data_type).name + " -f " +
           cli::sample_type(options.flag_type).name;
}

} // namespace batch
