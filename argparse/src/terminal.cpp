// The terminal that a stream writes to, found through the stream's own descriptor.
#include "terminal.hpp"

#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <sys/ioctl.h>
#include <unistd.h>

namespace argparse {
namespace {

// The descriptor that out writes to, or -1 for a stream of the program's own (a string).
int descriptor_of(const std::ostream& out) {
    if (&out == &std::cout) {
        return STDOUT_FILENO;
    }
    return &out == &std::cerr || &out == &std::clog ? STDERR_FILENO : -1;
}

} // namespace

bool is_terminal(const std::ostream& out) {
    const int caller_errno = errno;
    const int descriptor = descriptor_of(out);
    const bool terminal = descriptor >= 0 && isatty(descriptor) == 1;
    errno = caller_errno;
    return terminal;
}

std::size_t terminal_width(const std::ostream& out) {
    const char* columns = std::getenv("COLUMNS");
    if (columns != nullptr && std::atoi(columns) > 0) {
        return static_cast<std::size_t>(std::atoi(columns));
    }
    const int caller_errno = errno;
    winsize size{};
    const int descriptor = descriptor_of(out);
    const bool known = descriptor >= 0 && ioctl(descriptor, TIOCGWINSZ, &size) == 0;
    errno = caller_errno;
    return known && size.ws_col > 0 ? size.ws_col : 80;
}

} // namespace argparse
