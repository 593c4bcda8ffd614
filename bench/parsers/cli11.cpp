// mavrel's command line in CLI11, for bench/parsers: prints what it parsed.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <map>
#include <string>

enum class DataType { INT16, INT32, INT64, FLOAT32, FLOAT64 };
enum class FlagType { INT8, INT16, INT32, INT64 };

int main(int argc, char** argv) {
    CLI::App app{"mavrel - generate DEM tiles in TASMER generic format."};
    std::string tile;
    unsigned int width = 0;
    DataType data_type = DataType::FLOAT32;
    FlagType flag_type = FlagType::INT8;
    bool show_version = false;
    const std::map<std::string, DataType> data_types{{"int16", DataType::INT16},
                                                     {"int32", DataType::INT32},
                                                     {"int64", DataType::INT64},
                                                     {"float32", DataType::FLOAT32},
                                                     {"float64", DataType::FLOAT64}};
    const std::map<std::string, FlagType> flag_types{{"int8", FlagType::INT8},
                                                     {"int16", FlagType::INT16},
                                                     {"int32", FlagType::INT32},
                                                     {"int64", FlagType::INT64}};
    app.add_option("TILE", tile, "name of the tile (AXXBYYY, with A 'N' or 'S' and B 'E' or 'W')")
        ->required();
    app.add_option("WIDTH", width, "tile width in pixels (tiles are square)")->required();
    app.add_option("-d,--data-type", data_type, "type for height data")
        ->transform(CLI::CheckedTransformer(data_types, CLI::ignore_case))
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option("-f,--flag-type", flag_type, "type for flag data")
        ->transform(CLI::CheckedTransformer(flag_types, CLI::ignore_case))
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_flag("--version", show_version, "show version information and exit");
    CLI11_PARSE(app, argc, argv);
    std::printf("%s %u %d %d\n", tile.c_str(), width, static_cast<int>(data_type),
                static_cast<int>(flag_type));
}
