#pragma once

// The names that the writer's temporary files take beside the files they replace.

#include <string>

namespace writer {

// Returns ".mavrel-LEAF.SUFFIX", which says whose temporary file it is, for the file whose
// last part is leaf; ".mavrel-SUFFIX" where that would be longer than a directory entry.
std::string temporary_name(const std::string& leaf, const std::string& suffix);

// Returns a temporary name for leaf with a fresh suffix of six letters and digits, drawn as
// mkstemp draws them, which no other run takes: each is made with O_EXCL, and drawn again
// while it is taken.
std::string random_name(const std::string& leaf);

} // namespace writer
