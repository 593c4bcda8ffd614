// A batch's list of tiles, read once and checked whole.
#include "mavrel-batch/tile_list.hpp"

#include "tile/tile_name.hpp"

#include <argparse/printable.hpp>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <unordered_map>

namespace batch {
namespace {

[[noreturn]] void refuse(const std::string& path, const std::string& why) {
    throw std::invalid_argument(argparse::printable(path) + ": " + why);
}

void check_line(const std::string& path, std::size_t number, const std::string& line) {
    try {
        cli::cell_of(line);
    } catch (const std::invalid_argument&) {
        refuse(path, "line " + std::to_string(number) + " is no tile name AXXBYYY: '" +
                         argparse::printable(line) + "'");
    }
}

} // namespace

TileList read_tile_list(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        refuse(path, std::strerror(errno));
    }
    TileList list{path, {}};
    std::unordered_map<std::string, std::size_t> lines;
    for (std::string line; std::getline(file, line);) {
        const std::size_t number = list.tiles.size() + 1;
        check_line(path, number, line);
        if (const auto [seen, first] = lines.emplace(line, number); !first) {
            refuse(path, "line " + std::to_string(number) + " names " + line + " again, as line " +
                             std::to_string(seen->second) + " does");
        }
        list.tiles.push_back(line);
    }
    if (file.bad()) {
        refuse(path, std::strerror(errno));
    }
    if (list.tiles.empty()) {
        refuse(path, "the list names no tile");
    }
    return list;
}

} // namespace batch
