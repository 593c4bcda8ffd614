#pragma once

// mavrel's command line, which mavrel-georef takes too, and the start-up that reads it.

#include "mavrel/config.hpp"

#include <argparse/args.hpp>

#include <string>

namespace cli {

// Who makes the programs, as their help texts and manual pages say.
constexpr const char* authors = "The mavrel authors <https://mavrel.example.org/>";

// The command line of mavrel.
class CliArgs : public argparse::Args {
public:
    std::string& tile =
        arg("TILE", "name of the tile (AXXBYYY, with A 'N' or 'S' and B 'E' or 'W')");
    unsigned int& width = arg("WIDTH", "tile width in pixels (tiles are square)");
    DataType& data_type = kwarg("d,data-type", "type for height data").set_default("float32");
    FlagType& flag_type = kwarg("f,flag-type", "type for flag data").set_default("int8");
    bool& show_version = flag("version", "show version information and exit");

    void welcome(std::ostream& out) override;
};

// Answers a bare --version, otherwise parses the command line; ends the process on a
// version or help request and on a command-line error.
Config init(int argc, char** argv, const std::string& version);

// The two steps of init, for a program whose command line is mavrel's: a bare --version
// answered as "PROGRAM VERSION", and the command line that args declares parsed into a Config.
void answer_version(int argc, char** argv, const char* program, const std::string& version);
Config parsed(CliArgs& args, int argc, char** argv);

} // namespace cli
