// The commands of a program, depth first, and the names of a command's subcommands.
#include "command_tree.hpp"

#include <algorithm>

namespace argparse {
namespace {

void add_commands(const Command& command, std::vector<Command>& commands) {
    commands.push_back(command);
    for (const auto& [name, subcommand] : command.args->subcommands) {
        add_commands({command.path + " " + name, subcommand->args.get(), subcommand.get(),
                      command.getopt || subcommand->args->settings.getopt},
                     commands);
    }
}

} // namespace

std::vector<Command> commands_of(const Args& args) {
    std::vector<Command> commands;
    add_commands({"", &args, nullptr, args.settings.getopt}, commands);
    return commands;
}

std::vector<std::string> subcommand_names(const Args& args) {
    std::vector<std::string> names;
    for (const auto& [name, subcommand] : args.subcommands) {
        names.push_back(name);
    }
    return names;
}

std::vector<std::string> subcommand_words(const Args& args) {
    std::vector<std::string> words;
    for (const auto& [name, subcommand] : args.subcommands) {
        const std::vector<std::string> names = names_of(name, *subcommand);
        words.insert(words.end(), names.begin(), names.end());
    }
    return words;
}

std::vector<std::string> names_of(const std::string& name, const SubcommandEntry& subcommand) {
    std::vector<std::string> names = {name};
    names.insert(names.end(), subcommand.aliases.begin(), subcommand.aliases.end());
    return names;
}

const std::pair<const std::string, std::shared_ptr<SubcommandEntry>>*
find_subcommand(const Args& args, const std::string& word) {
    for (const auto& subcommand : args.subcommands) {
        const std::vector<std::string> names = names_of(subcommand.first, *subcommand.second);
        if (std::find(names.begin(), names.end(), word) != names.end()) {
            return &subcommand;
        }
    }
    return nullptr;
}

} // namespace argparse
