// The tables of what a tile is: the cells that tile names give, and the sample types.
#include "tile/sample_type.hpp"
#include "tile/tile_name.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>

namespace {

TEST(tile_names, give_the_south_west_corner_of_their_cell_or_say_why_not) {
    const std::pair<const char*, std::pair<int, int>> cells[] = {
        {"N45E007", {45, 7}},     {"s12w077", {-12, -77}}, {"dir/N00E000", {0, 0}},
        {"S90W180", {-90, -180}}, {"N89E179", {89, 179}},  {"/a/b/S01W001", {-1, -1}}};
    for (const auto& [name, corner] : cells) {
        const cli::Cell cell = cli::cell_of(name);
        EXPECT_EQ(std::make_pair(cell.south, cell.west), corner) << name;
    }
    const std::string form = ": not a tile name AXXBYYY, with A 'N' or 'S' and B 'E' or 'W'";
    const std::string latitudes = " (S90 to S01, N00 to N89)";
    const std::string longitudes = " (W180 to W001, E000 to E179)";
    const std::pair<std::string, std::string> refused[] = {
        {"N90E000", "N90E000: no cell has the latitude N90" + latitudes},
        {"S00E000", "S00E000: no cell has the latitude S00" + latitudes},
        {"S91E000", "S91E000: no cell has the latitude S91" + latitudes},
        {"d/N00W000", "d/N00W000: no cell has the longitude W000" + longitudes},
        {"N00E180", "N00E180: no cell has the longitude E180" + longitudes},
        {"X00E000", "X00E000" + form},
        {"N0E0000", "N0E0000" + form},
        {"N00E0000", "N00E0000" + form},
        {"N00E007/", "N00E007/" + form},
        {"N4\n5E07", "N4\n5E07" + form},
        {"", form}};
    for (const auto& [name, message] : refused) {
        try {
            cli::cell_of(name);
            ADD_FAILURE() << name << " gave a cell";
        } catch (const std::invalid_argument& error) {
            EXPECT_EQ(error.what(), message);
        }
    }
}

// name, bytes, GDAL's type, ENVI's type
using Row = std::tuple<std::string, std::size_t, std::string, int>;

template <typename Type> Row row(Type type) {
    const cli::SampleType sample = cli::sample_type(type);
    return {sample.name, sample.bytes, sample.gdal_type, sample.envi_type};
}

// The message with which sample_type refuses type, or "".
template <typename Type> std::string what_refuses(Type type) {
    try {
        cli::sample_type(type);
    } catch (const std::invalid_argument& error) {
        return error.what();
    }
    return "";
}

TEST(sample_types, give_each_type_its_size_and_gis_names_and_refuse_others) {
    EXPECT_EQ(row(DataType::INT16), Row("int16", 2, "UInt16", 12));
    EXPECT_EQ(row(DataType::INT32), Row("int32", 4, "UInt32", 13));
    EXPECT_EQ(row(DataType::INT64), Row("int64", 8, "UInt64", 0));
    EXPECT_EQ(row(DataType::FLOAT32), Row("float32", 4, "Float32", 4));
    EXPECT_EQ(row(DataType::FLOAT64), Row("float64", 8, "Float64", 5));
    EXPECT_EQ(row(FlagType::INT8), Row("int8", 1, "Byte", 1));
    EXPECT_EQ(row(FlagType::INT16), Row("int16", 2, "UInt16", 12));
    EXPECT_EQ(row(FlagType::INT32), Row("int32", 4, "UInt32", 13));
    EXPECT_EQ(row(FlagType::INT64), Row("int64", 8, "UInt64", 0));
    for (const std::string& refused :
         {what_refuses(static_cast<DataType>(5)), what_refuses(static_cast<FlagType>(-1))}) {
        EXPECT_EQ(refused, "invalid data type");
    }
}

} // namespace
