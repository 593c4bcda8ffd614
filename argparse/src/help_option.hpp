#pragma once

#include <argparse/args.hpp>

// The option that parse declares last on every command line: a flag, -? or --help.
namespace argparse {

constexpr const char* help_option_keys = "?,help";
constexpr const char* help_option_text = "print help";

// Whether parse has declared the help option on args, as it does once per object.
inline bool help_declared(const Args& args) {
    return args.option_map.count("help") != 0;
}

} // namespace argparse
