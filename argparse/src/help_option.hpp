#pragma once

// The option that parse declares last on every command line: a flag, -? or --help.

#include <argparse/args.hpp>

#include <algorithm>
#include <string>
#include <vector>

namespace argparse {

constexpr const char* help_option_keys = "?,help";
constexpr const char* help_option_text = "print help";

// The help option's names in args: -h too for a getopt program that declares no -h.
inline std::string help_keys(const Args& args, bool getopt) {
    return getopt && args.option_map.count("h") == 0 ? "?,h,help" : help_option_keys;
}

// True for a name of the help option, which no declaration of a program may take.
inline bool is_help_name(const std::string& name) {
    const std::vector<std::string> names = split_keys(help_option_keys);
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Whether parse has declared the help option on args, as it does once per object.
inline bool help_declared(const Args& args) {
    return args.option_map.count(split_keys(help_option_keys).front()) != 0;
}

} // namespace argparse
