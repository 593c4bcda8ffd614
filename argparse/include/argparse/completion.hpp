#pragma once

// Completion scripts for bash, zsh, fish and elvish, rendered from the declarations.

#include <argparse/args.hpp>

#include <map>
#include <string>

namespace argparse {

// Descriptions that stand in for options' help texts in zsh, fish and elvish, by the option's
// first name as declared ("version"), preceded for an option of a subcommand by the subcommand's
// words and a blank ("push force").
using Descriptions = std::map<std::string, std::string>;

// Each function returns a completion script for the command line that args declares, run as
// program, for one shell. Each offers the subcommand names and file names for positional
// words; the option names (the help option included) of the program or of the subcommand
// whose words come before; the value names after an enumeration option, both as the next word
// and after "=" (only after "=" for an option with an implicit value, which takes no next
// word), and file names after an option that takes a text or a path. Every name completes to
// itself, quoted as the shell needs, and nothing in a name or a help text is run.

// For bash: defines one function and its complete line, nothing else, and needs nothing of
// the bash-completion package.
std::string bash_completion(const Args& args, const std::string& program);

// For zsh, with each option's description: a "#compdef program" file named "_program" on
// fpath, or a script to source once compinit has run.
std::string zsh_completion(const Args& args, const std::string& program,
                           const Descriptions& descriptions = {});

// For fish: "complete -c program" lines with each option's description.
std::string fish_completion(const Args& args, const std::string& program,
                            const Descriptions& descriptions = {});

// For elvish: a module, program.elv on elvish's library path, that sets the completer of
// program when used ("use program"), with each option's description.
std::string elvish_completion(const Args& args, const std::string& program,
                              const Descriptions& descriptions = {});

} // namespace argparse
