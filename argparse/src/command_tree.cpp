// The commands of a program, depth first, and the names of a command's subcommands.
#include "command_tree.hpp"

namespace argparse {
namespace {

void add_commands(const std::string& path, const Args& args, std::vector<Command>& commands) {
    commands.push_back({path, &args});
    for (const auto& [name, subcommand] : args.subcommands) {
        add_commands(path + " " + name, *subcommand->args, commands);
    }
}

} // namespace

std::vector<Command> commands_of(const Args& args) {
    std::vector<Command> commands;
    add_commands("", args, commands);
    return commands;
}

std::vector<std::string> subcommand_names(const Args& args) {
    std::vector<std::string> names;
    for (const auto& [name, subcommand] : args.subcommands) {
        names.push_back(name);
    }
    return names;
}

} // namespace argparse
