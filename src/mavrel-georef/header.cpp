// The headers that place a tile's raw file on the Earth for GDAL: ENVI's, or a VRT.
#include "mavrel-georef/header.hpp"

#include <array>
#include <charconv>
#include <utility>
#include <vector>

namespace cli {
namespace {

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "the headers say that mavrel wrote its samples little-endian");

// WGS 84 as EPSG:4326, with its authority, so that GDAL names the system as EPSG does.
const char* const wgs84 =
    R"(GEOGCS["WGS 84",DATUM["WGS_1984",SPHEROID["WGS 84",6378137,298.257223563,)"
    R"(AUTHORITY["EPSG","7030"]],AUTHORITY["EPSG","6326"]],PRIMEM["Greenwich",0,)"
    R"(AUTHORITY["EPSG","8901"]],UNIT["degree",0.0174532925199433,AUTHORITY["EPSG","9122"]],)"
    R"(AXIS["Latitude",NORTH],AXIS["Longitude",EAST],AUTHORITY["EPSG","4326"]])";

// ENVI's reference pixel (1, 1) is the upper-left corner of the first pixel.
const char* const envi = R"(ENVI
samples = @WIDTH@
lines = @WIDTH@
bands = 1
header offset = 0
file type = ENVI Standard
data type = @ENVI_TYPE@
interleave = bsq
byte order = 0
map info = {Geographic Lat/Lon, 1, 1, @WEST@, @NORTH@, @PIXEL@, @PIXEL@, WGS-84, units=Degrees}
coordinate system string = {@WGS84@}
)";

// The file's name needs no XML escapes: it is a checked tile name, with "_flag" or not.
const char* const vrt = R"(<VRTDataset rasterXSize="@WIDTH@" rasterYSize="@WIDTH@">
  <SRS dataAxisToSRSAxisMapping="2,1">@WGS84@</SRS>
  <GeoTransform>@WEST@, @PIXEL@, 0, @NORTH@, 0, -@PIXEL@</GeoTransform>
  <Metadata>
    <MDI key="AREA_OR_POINT">Point</MDI>
  </Metadata>
  <VRTRasterBand dataType="@GDAL_TYPE@" band="1" subClass="VRTRawRasterBand">
    <SourceFilename relativeToVRT="1">@FILE@</SourceFilename>
    <ImageOffset>0</ImageOffset>
    <PixelOffset>@BYTES@</PixelOffset>
    <LineOffset>@LINE_BYTES@</LineOffset>
    <ByteOrder>LSB</ByteOrder>
  </VRTRasterBand>
</VRTDataset>
)";

// What GDAL reads beside FILE, and keeps its own findings in, opened through ENVI's header.
const char* const sidecar = R"(<PAMDataset>
  <Metadata>
    <MDI key="AREA_OR_POINT">Point</MDI>
  </Metadata>
</PAMDataset>
)";

// The shortest text that reads back as the same double.
std::string number(double value) {
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    return {text.data(), end};
}

// The values of the headers' fields. The outer samples sit on the cell's edges, so the
// raster's upper-left corner lies half a pixel west and north of the cell's.
std::vector<std::pair<std::string, std::string>> fields(const Raster& raster) {
    const double pixel = 1.0 / (raster.width - 1);
    const std::size_t bytes = raster.type.bytes;
    return {{"@WIDTH@", std::to_string(raster.width)},
            {"@ENVI_TYPE@", std::to_string(raster.type.envi_type)},
            {"@GDAL_TYPE@", raster.type.gdal_type},
            {"@WEST@", number(raster.cell.west - pixel / 2)},
            {"@NORTH@", number(raster.cell.south + 1 + pixel / 2)},
            {"@PIXEL@", number(pixel)},
            {"@WGS84@", wgs84},
            {"@FILE@", raster.file.substr(raster.file.rfind('/') + 1)},
            {"@BYTES@", std::to_string(bytes)},
            {"@LINE_BYTES@", std::to_string(bytes * raster.width)}};
}

std::string filled(std::string text, const Raster& raster) {
    for (const auto& [field, value] : fields(raster)) {
        for (auto at = text.find(field); at != std::string::npos; at = text.find(field, at)) {
            text.replace(at, field.size(), value);
            at += value.size();
        }
    }
    return text;
}

} // namespace

HeaderNames header_names(const std::string& file, const SampleType& type) {
    if (type.envi_type == 0) {
        return {{file + ".vrt"}, {file + ".hdr", file + ".aux.xml"}};
    }
    return {{file + ".hdr", file + ".aux.xml"}, {file + ".vrt"}};
}

Headers georef_headers(const Raster& raster) {
    HeaderNames names = header_names(raster.file, raster.type);
    const std::vector<std::string> texts =
        raster.type.envi_type == 0 ? std::vector<std::string>{filled(vrt, raster)}
                                   : std::vector<std::string>{filled(envi, raster), sidecar};
    Headers headers{{}, std::move(names.stale)};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        headers.written.push_back({names.written[i], texts[i]});
    }
    return headers;
}

} // namespace cli
