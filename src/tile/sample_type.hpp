#pragma once

// The sample types of a tile's two files: how the command line names each, the C++ type that
// stores it, its size, and its names in GIS formats. Every program reads them from here.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <type_traits>

// Height sample types; the ordinals are part of the command-line interface.
enum class DataType : int { INT16 = 0, INT32 = 1, INT64 = 2, FLOAT32 = 3, FLOAT64 = 4 };

// Flag sample types.
enum class FlagType : int { INT8 = 0, INT16 = 1, INT32 = 2, INT64 = 3 };

namespace cli {

// How the samples of one file of a tile are stored, and how GIS formats name their type.
struct SampleType {
    const char* name; // as the command line names it
    std::size_t bytes;
    const char* gdal_type;
    // ENVI's data type, or 0 where GDAL's ENVI driver reads none: it refuses ENVI's 64-bit
    // integers (14 and 15) up to GDAL 3.6 at least.
    int envi_type;
};

// The table, by the C++ type that stores the samples: mavrel's integer samples are unsigned,
// and its 8-bit flags are bytes.
template <typename T> constexpr SampleType sample_type_of() {
    using std::is_same_v;
    // clang-format off
    if constexpr (is_same_v<T, std::uint8_t>)  { return {"int8",    sizeof(T), "Byte",    1}; }
    if constexpr (is_same_v<T, std::uint16_t>) { return {"int16",   sizeof(T), "UInt16",  12}; }
    if constexpr (is_same_v<T, std::uint32_t>) { return {"int32",   sizeof(T), "UInt32",  13}; }
    if constexpr (is_same_v<T, std::uint64_t>) { return {"int64",   sizeof(T), "UInt64",  0}; }
    if constexpr (is_same_v<T, float>)         { return {"float32", sizeof(T), "Float32", 4}; }
    if constexpr (is_same_v<T, double>)        { return {"float64", sizeof(T), "Float64", 5}; }
    // clang-format on
}

// The C++ types that store the samples of each height and flag type, in the order of their
// values.
template <typename... T> struct Types {};
using HeightSamples = Types<std::uint16_t, std::uint32_t, std::uint64_t, float, double>;
using FlagSamples = Types<std::uint8_t, std::uint16_t, std::uint32_t, std::uint64_t>;

// Returns visit(T{}) for the index-th type T of the list; throws std::invalid_argument where
// the list has none.
template <typename Visit, typename First, typename... Rest>
decltype(auto) visit_nth(int index, Visit&& visit, Types<First, Rest...>) {
    if (index == 0) {
        return visit(First{});
    }
    if constexpr (sizeof...(Rest) > 0) {
        return visit_nth(index - 1, visit, Types<Rest...>{});
    } else {
        throw std::invalid_argument("invalid data type");
    }
}

// Returns visit(T{}), T being the C++ type that stores samples of type; throws
// std::invalid_argument for a value that is none of the enumeration's.
template <typename Visit> decltype(auto) visit_samples(DataType type, Visit&& visit) {
    return visit_nth(static_cast<int>(type), visit, HeightSamples{});
}

template <typename Visit> decltype(auto) visit_samples(FlagType type, Visit&& visit) {
    return visit_nth(static_cast<int>(type), visit, FlagSamples{});
}

// Returns the table's row for a height or flag sample type.
template <typename Type> SampleType sample_type(Type type) {
    return visit_samples(type, [](auto zero) { return sample_type_of<decltype(zero)>(); });
}

} // namespace cli
