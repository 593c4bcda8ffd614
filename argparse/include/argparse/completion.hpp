#pragma once

#include <argparse/args.hpp>

#include <string>

namespace argparse {

// Returns a bash completion script for the command line that args declares, run as program:
// option names (the help option included) for a word that starts with "-", the value names
// after an enumeration option, in the forms "-d VALUE" and "--data-type=VALUE", and file
// names elsewhere. The script defines one function and its complete line, nothing else,
// and needs nothing of the bash-completion package.
std::string bash_completion(const Args& args, const std::string& program);

} // namespace argparse
