#pragma once

// The names in a directory that a descriptor holds, read once.

#include <string>
#include <unordered_set>

namespace batch {

// Returns the names of the entries of the directory open as directory (O_PATH will do), "."
// and ".." aside; none where it cannot be read.
std::unordered_set<std::string> names_in(int directory);

} // namespace batch
