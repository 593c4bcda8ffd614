// The storage of each sample type that mavrel writes: its size and its names in GIS formats.
#include "sample_format.hpp"

#include <stdexcept>

namespace cli {
namespace {

// mavrel's integer samples are unsigned, and its 8-bit flags are bytes.
const SampleFormat uint8{"int8", 1, "Byte", 1};
const SampleFormat uint16{"int16", 2, "UInt16", 12};
const SampleFormat uint32{"int32", 4, "UInt32", 13};
const SampleFormat uint64{"int64", 8, "UInt64", 0};
const SampleFormat float32{"float32", 4, "Float32", 4};
const SampleFormat float64{"float64", 8, "Float64", 5};

} // namespace

SampleFormat sample_format(DataType type) {
    switch (type) {
    case DataType::INT16:
        return uint16;
    case DataType::INT32:
        return uint32;
    case DataType::INT64:
        return uint64;
    case DataType::FLOAT32:
        return float32;
    case DataType::FLOAT64:
        return float64;
    }
    throw std::invalid_argument("invalid data type");
}

SampleFormat sample_format(FlagType type) {
    switch (type) {
    case FlagType::INT8:
        return uint8;
    case FlagType::INT16:
        return uint16;
    case FlagType::INT32:
        return uint32;
    case FlagType::INT64:
        return uint64;
    }
    throw std::invalid_argument("invalid data type");
}

} // namespace cli
