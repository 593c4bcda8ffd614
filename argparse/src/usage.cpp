// The usage line of a command: its whole name, positional arguments, options and subcommands.
#include "usage.hpp"

#include "command_tree.hpp"

#include <argparse/text.hpp>

namespace argparse {

std::string command_name(const Args& args) {
    return args.command_path.empty() ? args.program_name : args.command_path;
}

std::string usage_line(const Args& args) {
    std::string line = "Usage: " + command_name(args) + " ";
    for (const auto& entry : args.positional_entries) {
        line += entry->keys.front() + " ";
    }
    if (args.has_options()) {
        line += " [options...]";
    }
    if (!args.subcommands.empty()) {
        line += " [SUBCOMMAND: " + joined(subcommand_names(args), ", ") + "]";
    }
    return line;
}

} // namespace argparse
