#pragma once

// The headers that place a tile's raw file on the Earth for GDAL.

#include "tile/sample_type.hpp"
#include "tile/tile_name.hpp"

#include <cstdint>
#include <string>

namespace cli {

// One raw file of a tile, and where on the Earth its samples lie.
struct Raster {
    std::string file;
    std::uint32_t width; // 2 or more
    SampleType type;
    Cell cell;
};

// A small file beside a raster that lets GDAL open it georeferenced.
struct Header {
    std::string name;
    std::string text;
};

// Returns the raster's header: an ENVI header "FILE.hdr", through which GDAL opens FILE itself,
// or where GDAL's ENVI driver cannot read the sample type, a VRT "FILE.vrt" to open instead.
// Either places the samples on the cell's degree lines, the first row on its north edge, each
// sample in the middle of a pixel of 1/(width - 1) degrees, in WGS 84.
Header georef_header(const Raster& raster);

} // namespace cli
