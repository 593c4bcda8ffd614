#pragma once

// The headers that place a tile's raw file on the Earth for GDAL.

#include "tile/sample_type.hpp"
#include "tile/tile_name.hpp"

#include <cstdint>
#include <string>
#include <vector>

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

// The headers of a raster, and the names of those of the other kind, which an earlier run of
// other sample types may have left and which no longer describe it.
struct Headers {
    std::vector<Header> written;
    std::vector<std::string> stale;
};

// Returns the names of the headers of FILE, a raster of samples of type, as georef_headers
// gives them: those it writes, and those of the other kind.
struct HeaderNames {
    std::vector<std::string> written;
    std::vector<std::string> stale;
};
HeaderNames header_names(const std::string& file, const SampleType& type);

// Returns the raster's headers: an ENVI header "FILE.hdr" and GDAL's own sidecar
// "FILE.aux.xml", through which GDAL opens FILE itself, or where GDAL's ENVI driver cannot
// read the sample type, a VRT "FILE.vrt" to open instead. Either places the samples on the
// cell's degree lines, the first row on its north edge, each sample in the middle of a pixel of
// 1/(width - 1) degrees, in WGS 84, and says that a sample is the value at a point
// (AREA_OR_POINT=Point), which the ENVI driver reads from the sidecar only.
Headers georef_headers(const Raster& raster);

} // namespace cli
