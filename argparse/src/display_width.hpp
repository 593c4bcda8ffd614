#pragma once

// How many columns of a terminal a UTF-8 text takes.

#include <cstddef>
#include <string>

namespace argparse {

// Returns the columns that text takes: one for each character, two for a wide one (CJK, a
// Hangul syllable, most emoji), none for a combining mark; a byte that starts no valid UTF-8
// character takes one.
std::size_t display_width(const std::string& text);

} // namespace argparse
