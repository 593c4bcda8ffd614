#pragma once

// What a batch writes of every tile: its width and sample types, read as strictly as a batch
// needs them.

#include "tile/sample_type.hpp"

#include <cstdint>
#include <string>

namespace batch {

struct TileOptions {
    std::uint32_t width = 0;
    DataType data_type = DataType::FLOAT32;
    FlagType flag_type = FlagType::INT8;
};

// Returns WIDTH read as plain decimal digits, where mavrel would read 3,601 as 3 and 1e4 as 1;
// throws std::invalid_argument, quoting the text, for anything else or a width beyond
// 4294967295.
std::uint32_t width_of(const std::string& text);

// Returns how a message shows them: "width 3601, -d float32 -f int8".
std::string describe(const TileOptions& options);

} // namespace batch
