#pragma once

// What a command line asks of a tile, as the programs read it.

#include "tile/sample_type.hpp"

#include <cstdint>
#include <string>

namespace cli {

// What the command line asked for; plain copies, nothing refers into the parser.
struct Config {
    std::string tile;
    std::uint32_t width = 0;
    DataType data_type = DataType::FLOAT32;
    FlagType flag_type = FlagType::INT8;
    std::uint32_t flag_value = 1;
};

} // namespace cli
