#pragma once

// The case branches that the bash and zsh scripts share, written in either shell's syntax.

#include <argparse/entry.hpp>

#include <string>

namespace argparse {

// Returns a case of the bash and zsh scripts that says how an option's value completes, when
// the option is the word before or is written --name=: a list of names, file names or nothing,
// as the next word or only after "=". The case opens with open (bash needs none, zsh "("),
// after indent; a flag has none.
std::string value_case(const Entry& entry, const std::string& indent, const std::string& open);

} // namespace argparse
