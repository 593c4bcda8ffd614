#pragma once

// The terminal that a stream writes to, if any: whether there is one, and its width.

#include <cstddef>
#include <ostream>

namespace argparse {

// Whether out writes to a terminal: std::cout through descriptor 1, std::cerr and std::clog
// through 2, and no other stream. errno is kept, as the reason of a failed write is read later.
bool is_terminal(const std::ostream& out);

// The width to wrap text at for out: COLUMNS where it is a number, else the width of out's
// terminal, else 80; errno is kept.
std::size_t terminal_width(const std::ostream& out);

} // namespace argparse
