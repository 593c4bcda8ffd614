// mavrel's command line in this library, for bench/parsers: prints what it parsed.
#include <argparse/args.hpp>

#include <cstdio>
#include <string>

enum class DataType { INT16, INT32, INT64, FLOAT32, FLOAT64 };
enum class FlagType { INT8, INT16, INT32, INT64 };

struct CliArgs : argparse::Args {
    std::string& tile =
        arg("TILE", "name of the tile (AXXBYYY, with A 'N' or 'S' and B 'E' or 'W')");
    unsigned int& width = arg("WIDTH", "tile width in pixels (tiles are square)");
    DataType& data_type = kwarg("d,data-type", "type for height data").set_default("float32");
    FlagType& flag_type = kwarg("f,flag-type", "type for flag data").set_default("int8");
    bool& show_version = flag("version", "show version information and exit");
};

int main(int argc, char** argv) {
    CliArgs args;
    args.parse(argc, argv, false);
    std::printf("%s %u %d %d\n", args.tile.c_str(), args.width, static_cast<int>(args.data_type),
                static_cast<int>(args.flag_type));
}
