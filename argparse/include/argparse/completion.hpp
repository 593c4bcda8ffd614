#pragma once

#include <argparse/args.hpp>

#include <string>

namespace argparse {

// Each function returns a completion script for the command line that args declares, run as
// program, for one shell. Each offers the option names (the help option included), the value
// names after an enumeration option, both as the next word and after "=" (only after "=" for
// an option with an implicit value, which takes no next word), and file names for positional
// words.

// For bash: defines one function and its complete line, nothing else, and needs nothing of
// the bash-completion package.
std::string bash_completion(const Args& args, const std::string& program);

// For zsh's _arguments, with each option's help text: a "#compdef program" file named
// "_program" on fpath, or a script to source once compinit has run.
std::string zsh_completion(const Args& args, const std::string& program);

// For fish: "complete -c program" lines with each option's help text as its description.
std::string fish_completion(const Args& args, const std::string& program);

} // namespace argparse
