// The command lines of mavrel and mavrel-georef, and their start-up.
#include "cli.hpp"

#include <argparse/exit.hpp>

#include <cstring>
#include <iostream>

namespace cli {
namespace {

void answer_version(int argc, char** argv, const char* program, const std::string& version) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << program << " " << version << std::endl;
        argparse::exit_after_output(0);
    }
}

Config parsed(CliArgs& args, int argc, char** argv) {
    args.parse(argc, argv, false);
    Config config;
    config.tile = args.tile;
    config.width = args.width;
    config.data_type = args.data_type;
    config.flag_type = args.flag_type;
    return config;
}

} // namespace

void CliArgs::welcome() {
    std::cout << "mavrel - generate DEM tiles in TASMER generic format.\n"
              << "The mavrel authors <https://mavrel.example.org/>\n"
              << std::endl;
}

void GeorefArgs::welcome() {
    std::cout << "mavrel-georef - write headers that place a mavrel tile for GIS tools.\n"
              << "The mavrel authors <https://mavrel.example.org/>\n"
              << std::endl;
}

Config init(int argc, char** argv, const std::string& version) {
    answer_version(argc, argv, "mavrel", version);
    CliArgs args;
    return parsed(args, argc, argv);
}

Config init_georef(int argc, char** argv, const std::string& version) {
    answer_version(argc, argv, "mavrel-georef", version);
    GeorefArgs args;
    return parsed(args, argc, argv);
}

} // namespace cli
