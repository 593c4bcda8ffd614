#pragma once

// The commands of a program, as the help text and the renderings walk them.

#include <argparse/args.hpp>

#include <string>
#include <vector>

namespace argparse {

// The program, or one of its subcommands, nested too.
struct Command {
    // The subcommand words after the program's name, each preceded by a blank: "" for the
    // program itself, " push remote" for the subcommand remote of push.
    std::string path;
    const Args* args;
};

// Returns the program's command, then each subcommand, depth first in the order of names.
std::vector<Command> commands_of(const Args& args);

// Returns the names of a command's subcommands, in order.
std::vector<std::string> subcommand_names(const Args& args);

} // namespace argparse
