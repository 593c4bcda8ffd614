#pragma once

// The usage line of a command, which its help text opens with.

#include <argparse/args.hpp>

#include <string>

namespace argparse {

// Returns the name the command is run by: its command_path, or its program_name before that is
// set.
std::string command_name(const Args& args);

// Returns "Usage: " and the command's name, positional arguments, options and subcommands.
std::string usage_line(const Args& args);

} // namespace argparse
