// mavrel's command line in cxxopts, for bench/parsers: prints what it parsed.
#include <cxxopts.hpp>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iostream>
#include <string>

enum class DataType { INT16, INT32, INT64, FLOAT32, FLOAT64 };
enum class FlagType { INT8, INT16, INT32, INT64 };

// cxxopts reads enumerations as text only: each is looked up in its list of names.
template <typename E, std::size_t N>
E named(const std::string& option, std::string text, const char* const (&names)[N]) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    for (std::size_t i = 0; i < N; ++i) {
        if (text == names[i]) {
            return static_cast<E>(i);
        }
    }
    throw cxxopts::exceptions::incorrect_argument_type(option + " " + text);
}

int main(int argc, char** argv) {
    cxxopts::Options options("mavrel", "mavrel - generate DEM tiles in TASMER generic format.");
    options.add_options()("TILE", "name of the tile (AXXBYYY, with A 'N' or 'S' and B 'E' or 'W')",
                          cxxopts::value<std::string>())(
        "WIDTH", "tile width in pixels (tiles are square)",
        cxxopts::value<unsigned int>())("d,data-type", "type for height data",
                                        cxxopts::value<std::string>()->default_value("float32"))(
        "f,flag-type", "type for flag data", cxxopts::value<std::string>()->default_value("int8"))(
        "version", "show version information and exit")("h,help", "print help");
    options.parse_positional({"TILE", "WIDTH"});
    try {
        const auto result = options.parse(argc, argv);
        if (result.count("help") != 0) {
            std::cout << options.help() << std::endl;
            return 0;
        }
        if (result.count("TILE") == 0 || result.count("WIDTH") == 0) {
            std::cerr << "Argument missing: " << (result.count("TILE") == 0 ? "TILE" : "WIDTH")
                      << std::endl;
            return 255;
        }
        const auto data_type = named<DataType>("--data-type", result["data-type"].as<std::string>(),
                                               {"int16", "int32", "int64", "float32", "float64"});
        const auto flag_type = named<FlagType>("--flag-type", result["flag-type"].as<std::string>(),
                                               {"int8", "int16", "int32", "int64"});
        std::printf("%s %u %d %d\n", result["TILE"].as<std::string>().c_str(),
                    result["WIDTH"].as<unsigned int>(), static_cast<int>(data_type),
                    static_cast<int>(flag_type));
    } catch (const cxxopts::exceptions::exception& error) {
        std::cerr << error.what() << std::endl;
        return 255;
    }
}
