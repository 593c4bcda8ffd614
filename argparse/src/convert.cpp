#include <argparse/convert.hpp>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <stdexcept>

namespace argparse {

bool bool_from_text(const std::string& text) {
    return to_lower(text) == "true" || text == "1";
}

namespace {

// True when the number strtoul reads from text is preceded by a minus sign.
bool has_minus_sign(const char* text) {
    while (std::isspace(static_cast<unsigned char>(*text))) {
        ++text;
    }
    return *text == '-';
}

} // namespace

unsigned int unsigned_from_text(const std::string& text) {
    const int caller_errno = errno;
    errno = 0;
    const char* start = text.c_str();
    char* end = nullptr;
    const unsigned long value = std::strtoul(start, &end, 10);
    if (end == start) {
        throw std::invalid_argument("stoul");
    }
    // strtoul negates a minus sign modulo 2^64, so only -0 (which stays 0) may pass.
    if (errno == ERANGE || value > UINT_MAX || (value != 0 && has_minus_sign(start))) {
        throw std::out_of_range("stoul");
    }
    if (errno == 0) {
        errno = caller_errno;
    }
    return static_cast<unsigned int>(value);
}

} // namespace argparse
