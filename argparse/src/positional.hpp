#pragma once

// Which positional words reach which positional argument, and the orders of declaration that
// would leave one without the words meant for it.

#include <argparse/entry.hpp>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace argparse {

// Gives the positional words to the entries, as receive does: those before the multi-valued one
// take words from the front, those after it from the back, and it the words between. Returns
// the index of the first word that no entry takes, if any.
std::optional<std::size_t> assign_positional(const std::vector<std::shared_ptr<Entry>>& entries,
                                             const std::vector<std::string>& words, bool getopt);

// Throws std::invalid_argument, naming the entry, where words could not reach the entries as
// declared: a second multi-valued one, or a required one that words reach after one with a
// default, which would take the word meant for it.
void check_positional_order(const std::vector<const Entry*>& entries);

} // namespace argparse
