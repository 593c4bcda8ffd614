#pragma once

#include "config.hpp"

#include <cstddef>

namespace cli {

// How the samples of one file of a tile are stored, and how GIS formats name their type.
struct SampleFormat {
    const char* name; // as the command line names it
    std::size_t bytes;
    const char* gdal_type;
    // ENVI's data type, or 0 where GDAL's ENVI driver reads none: it refuses ENVI's 64-bit
    // integers (14 and 15) up to GDAL 3.6 at least.
    int envi_type;
};

SampleFormat sample_format(DataType type);
SampleFormat sample_format(FlagType type);

} // namespace cli
