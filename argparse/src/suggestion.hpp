#pragma once

// The "did you mean" hint for an option name that no option has.

#include <argparse/entry.hpp>

#include <map>
#include <memory>
#include <string>

namespace argparse {

// Returns " (did you mean --name?)" for the declared option name nearest to name, by edit
// distance, when it is near enough to be a typing mistake; otherwise "".
std::string suggestion(const std::string& name,
                       const std::map<std::string, std::shared_ptr<Entry>>& option_map);

} // namespace argparse
