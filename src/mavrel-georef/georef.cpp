// mavrel-georef's run: checks a tile pair against its command line, then writes its headers.
#include "mavrel-georef/georef.hpp"

#include "mavrel-georef/header.hpp"
#include "writer/file_error.hpp"
#include "writer/file_set.hpp"

#include <argparse/printable.hpp>

#include <cstdint>
#include <iostream>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace cli {
namespace {

void check_width(std::uint32_t width) {
    if (width < 2) {
        throw std::invalid_argument("width " + std::to_string(width) +
                                    ": a tile needs 2 or more samples a side to span its cell");
    }
}

// Throws unless the raster's file holds exactly its samples.
void check_size(const Raster& raster) {
    struct stat status {};
    if (::stat(raster.file.c_str(), &status) != 0) {
        writer::throw_last_error(raster.file);
    }
    if (!S_ISREG(status.st_mode)) {
        throw std::invalid_argument(raster.file + ": not a regular file");
    }
    const auto size = static_cast<std::uint64_t>(status.st_size);
    const std::uint64_t samples = std::uint64_t{raster.width} * raster.width;
    if (size % raster.type.bytes != 0 || size / raster.type.bytes != samples) {
        const std::string width = std::to_string(raster.width);
        throw std::invalid_argument(raster.file + ": " + std::to_string(size) + " bytes, not " +
                                    width + "x" + width + " " + raster.type.name + " samples");
    }
}

// The headers of both files, all checked before any is written.
std::vector<Headers> headers(const Config& config) {
    const Cell cell = cell_of(config.tile);
    check_width(config.width);
    const std::vector<Raster> rasters{
        {config.tile, config.width, sample_type(config.data_type), cell},
        {config.tile + "_flag", config.width, sample_type(config.flag_type), cell}};
    std::vector<Headers> result;
    for (const Raster& raster : rasters) {
        check_size(raster);
        result.push_back(georef_headers(raster));
    }
    return result;
}

} // namespace

int georef(const Config& config) {
    try {
        writer::FileSet files;
        for (const Headers& of_file : headers(config)) {
            for (const Header& header : of_file.written) {
                files.stage(header.name, header.text.data(), header.text.size());
            }
            for (const std::string& stale : of_file.stale) {
                files.stage_removal(stale);
            }
        }
        files.commit();
        return 0;
    } catch (const std::exception& failure) {
        std::cerr << argparse::printable(failure.what()) << std::endl;
        return -1;
    }
}

} // namespace cli
