// mavrel's command line and its start-up.
#include "mavrel/command_line.hpp"

#include <argparse/exit.hpp>

#include <cstring>
#include <iostream>

namespace cli {

void CliArgs::welcome(std::ostream& out) {
    out << "mavrel - generate DEM tiles in TASMER generic format.\n"
        << authors << "\n"
        << std::endl;
}

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

Config init(int argc, char** argv, const std::string& version) {
    answer_version(argc, argv, "mavrel", version);
    CliArgs args;
    return parsed(args, argc, argv);
}

} // namespace cli
