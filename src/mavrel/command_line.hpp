#pragma once

#include "config.hpp"

#include <argparse/args.hpp>

#include <string>

namespace cli {

// The command line of mavrel.
class CliArgs : public argparse::Args {
public:
    std::string& tile =
        arg("TILE", "name of the tile (AXXBYYY, with A 'N' or 'S' and B 'E' or 'W')");
    unsigned int& width = arg("WIDTH", "tile width in pixels (tiles are square)");
    DataType& data_type = kwarg("d,data-type", "type for height data").set_default("float32");
    FlagType& flag_type = kwarg("f,flag-type", "type for flag data").set_default("int8");
    bool& show_version = flag("version", "show version information and exit");

    void welcome() override;
};

// The command line of mavrel-georef: mavrel's, to describe the tile that mavrel wrote. A
// header for other types than the tile's would be silently wrong, so a mistyped option or an
// extra word is an error here, where mavrel only warns.
class GeorefArgs : public CliArgs {
public:
    GeorefArgs() { settings.strict = true; }
    void welcome() override;
};

// Answers a bare --version, otherwise parses the command line; ends the process on a
// version or help request and on a command-line error.
Config init(int argc, char** argv, const std::string& version);

// The same for mavrel-georef.
Config init_georef(int argc, char** argv, const std::string& version);

} // namespace cli
