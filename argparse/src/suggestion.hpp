#pragma once

// The "did you mean" hint for a name that no option or subcommand has.

#include <optional>
#include <string>
#include <vector>

namespace argparse {

// Returns the candidate nearest to name by edit distance, where it is near enough to be a typing
// mistake; otherwise nothing.
std::optional<std::string> nearest(const std::string& name,
                                   const std::vector<std::string>& candidates);

} // namespace argparse
