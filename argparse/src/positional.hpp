#pragma once

// Which positional words reach which positional argument.

#include <argparse/entry.hpp>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace argparse {

// Gives the positional words to the entries: those before the multi-valued one take words from
// the front, those after it from the back, and it the words between. Returns the first word that
// no entry takes, if any.
std::optional<std::string> assign_positional(const std::vector<std::shared_ptr<Entry>>& entries,
                                             const std::vector<std::string>& words);

} // namespace argparse
