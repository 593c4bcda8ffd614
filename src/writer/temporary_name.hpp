#pragma once

// The names that the writer's temporary files take beside the files they replace.

#include <string>

namespace writer {

// Returns a fresh name ".mavrel-XXXXXX", six letters and digits drawn as mkstemp draws them.
std::string random_name();

// Returns the name ".mavrel-XXXXXX" that a temporary file for target tries first, the same in
// every run, so that the next replacement of target finds what a killed run left.
std::string name_for(const std::string& target);

} // namespace writer
