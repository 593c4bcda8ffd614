#pragma once

#include <argparse/args.hpp>

#include <stdexcept>
#include <string>
#include <vector>

// Runs parse on the given words with errors raised, so that tests see their exact text.
inline void parse_words(argparse::Args& args, std::vector<std::string> words,
                        const std::string& program = "/usr/bin/tool") {
    words.insert(words.begin(), program);
    std::vector<const char*> argv;
    for (const auto& word : words) {
        argv.push_back(word.c_str());
    }
    args.parse(static_cast<int>(argv.size()), argv.data(), true);
}

// Returns the message of the error that parsing reports, or "" when it succeeds.
inline std::string parse_error(argparse::Args& args, const std::vector<std::string>& words) {
    try {
        parse_words(args, words);
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "";
}

enum class Height { INT16, INT32, INT64, FLOAT32, FLOAT64 };
enum class Flag { INT8, INT16, INT32, INT64 };

// The tool's own command line, declared as the tool declares it.
struct ToolArgs : argparse::Args {
    std::string& tile =
        arg("TILE", "name of the tile (AXXBYYY, with A 'N' or 'S' and B 'E' or 'W')");
    unsigned int& width = arg("WIDTH", "tile width in pixels (tiles are square)");
    Height& data_type = kwarg("d,data-type", "type for height data").set_default("float32");
    Flag& flag_type = kwarg("f,flag-type", "type for flag data").set_default("int8");
    bool& show_version = flag("version", "show version information and exit");
};
