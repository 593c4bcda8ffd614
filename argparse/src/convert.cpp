#include <argparse/convert.hpp>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <stdexcept>

namespace argparse {

bool bool_from_text(const std::string& text) {
    return to_lower(text) == "true" || text == "1";
}

unsigned int unsigned_from_text(const std::string& text) {
    const int caller_errno = errno;
    errno = 0;
    const char* start = text.c_str();
    char* end = nullptr;
    const unsigned long value = std::strtoul(start, &end, 10);
    if (end == start) {
        throw std::invalid_argument("stoul");
    }
    // A negative text wraps to a large 64-bit value, so it fails here too, except for -0.
    if (errno == ERANGE || value > UINT_MAX) {
        throw std::out_of_range("stoul");
    }
    if (errno == 0) {
        errno = caller_errno;
    }
    return static_cast<unsigned int>(value);
}

} // namespace argparse
