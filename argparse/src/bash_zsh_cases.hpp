#pragma once

// The case branches that the bash and zsh scripts share, written in either shell's syntax.

#include "command_tree.hpp"

#include <argparse/entry.hpp>

#include <string>

namespace argparse {

// Returns a case of the bash and zsh scripts that says how an option's value completes, when
// the option is the word before or is written --name=: a list of names, file names or nothing,
// as the next word or only after "=". The case opens with open (bash needs none, zsh "("),
// after indent; a flag has none.
std::string value_case(const Entry& entry, const std::string& indent, const std::string& open);

// Returns a case of the bash and zsh scripts that moves to a subcommand of command when the word
// $w is its name or an alias, adding a blank and its name to variable (bash's path; zsh's cmd,
// as zsh's path is its PATH). Each pattern opens with open, as in value_case; a command without
// subcommands has none.
std::string subcommand_case(const Command& command, const std::string& open,
                            const std::string& variable);

} // namespace argparse
