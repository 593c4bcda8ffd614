#pragma once

// Giving an entry its values: converted, tested, and a failure kept as its error.

#include <argparse/entry.hpp>

#include <string>
#include <vector>

namespace argparse {

// Gives an entry the words the command line or the environment holds for it: each an element of a
// std::vector, otherwise joined by commas, and none as the empty text. A getopt program reads a
// boolean by strict_bool_from_text.
void receive(Entry& entry, const std::vector<std::string>& words, bool getopt);

} // namespace argparse
