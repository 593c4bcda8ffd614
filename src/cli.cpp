// The start-up of mavrel: its command line, declared and parsed into a Config.
#include "cli.hpp"

#include <argparse/exit.hpp>

#include <cstring>
#include <iostream>

namespace cli {

void CliArgs::welcome() {
    std::cout << "mavrel - generate DEM tiles in TASMER generic format.\n"
              << "The mavrel authors <https://mavrel.example.org/>\n"
              << std::endl;
}

Config init(int argc, char** argv, const std::string& version) {
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "mavrel " << version << std::endl;
        argparse::exit_after_output(0);
    }
    CliArgs args;
    args.parse(argc, argv, false);
    Config config;
    config.tile = args.tile;
    config.width = args.width;
    config.data_type = args.data_type;
    config.flag_type = args.flag_type;
    return config;
}

} // namespace cli
