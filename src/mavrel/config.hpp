#pragma once

// The types that the command line and the generation run share.

#include <cstdint>
#include <string>

// Height sample types; the ordinals are part of the command-line interface.
enum class DataType : int { INT16 = 0, INT32 = 1, INT64 = 2, FLOAT32 = 3, FLOAT64 = 4 };

// Flag sample types.
enum class FlagType : int { INT8 = 0, INT16 = 1, INT32 = 2, INT64 = 3 };

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
