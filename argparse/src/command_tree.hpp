#pragma once

// The commands of a program, as the help text and the renderings walk them.

#include <argparse/args.hpp>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace argparse {

// The program, or one of its subcommands, nested too.
struct Command {
    // The subcommand words after the program's name, each preceded by a blank: "" for the
    // program itself, " push remote" for the subcommand remote of push.
    std::string path;
    const Args* args;
    // What declared it, with its aliases and description; nullptr for the program.
    const SubcommandEntry* subcommand; // Whether it parses with getopt's conventions, its own
                                       // setting or that of a command above.
    bool getopt;
};

// Returns the program's command, then each subcommand, depth first in the order of names.
std::vector<Command> commands_of(const Args& args);

// Returns the names of a command's subcommands, in order.
std::vector<std::string> subcommand_names(const Args& args);

// Returns every word that names a subcommand of a command: each name, followed by its aliases.
std::vector<std::string> subcommand_words(const Args& args);

// Returns a subcommand's name followed by its aliases.
std::vector<std::string> names_of(const std::string& name, const SubcommandEntry& subcommand);

// Returns the subcommand, with its name, that word names by its name or an alias; nullptr when
// none does.
const std::pair<const std::string, std::shared_ptr<SubcommandEntry>>*
find_subcommand(const Args& args, const std::string& word);

} // namespace argparse
