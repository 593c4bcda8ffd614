// Reading the built-in value types from command-line words, and writing numbers back.
#include <argparse/convert.hpp>

#include <cctype>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <type_traits>

namespace argparse {

bool bool_from_text(const std::string& text) {
    return to_lower(text) == "true" || text == "1";
}

bool strict_bool_from_text(const std::string& text) {
    const std::string word = to_lower(text);
    for (const char* truth : {"true", "yes", "on", "1"}) {
        if (word == truth) {
            return true;
        }
    }
    for (const char* falsehood : {"false", "no", "off", "0"}) {
        if (word == falsehood) {
            return false;
        }
    }
    throw std::runtime_error("must be true, false, yes, no, on, off, 1 or 0");
}

namespace {

// True when the number strtoul reads from text is preceded by a minus sign.
bool has_minus_sign(const char* text) {
    while (std::isspace(static_cast<unsigned char>(*text))) {
        ++text;
    }
    return *text == '-';
}

// Reads the whole of text with std::from_chars, which takes a minus sign but no plus sign.
template <typename T> T whole_number(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (text.size() > 1 && text[0] == '+' && text[1] != '-') {
        ++first;
    }
    T value{};
    const auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range) {
        throw std::out_of_range(text);
    }
    if (error != std::errc() || end != last) {
        throw std::invalid_argument(text);
    }
    return value;
}

// Reads the whole of text as a real number. from_chars calls an underflow out of range too;
// strtod then gives what the type holds, 0 or a subnormal number, and infinity only for what
// is too great. The caller's errno, which strtod sets, is kept.
template <typename T> T real_number(const std::string& text) {
    try {
        return whole_number<T>(text);
    } catch (const std::out_of_range&) {
        const int caller_errno = errno;
        char* end = nullptr;
        T value{};
        if constexpr (std::is_same_v<T, float>) {
            value = std::strtof(text.c_str(), &end);
        } else {
            value = std::strtod(text.c_str(), &end);
        }
        errno = caller_errno;
        if (std::isinf(value) || end != text.c_str() + text.size()) {
            throw;
        }
        return value;
    }
}

// The shortest decimal text that reads back to value, as std::to_chars writes it.
template <typename T> std::string shortest_text(T value) {
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text, value);
    return std::string(text, written.ptr);
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

long long signed_from_text(const std::string& text, long long min, long long max) {
    const auto value = whole_number<long long>(text);
    if (value < min || value > max) {
        throw std::out_of_range(text);
    }
    return value;
}

unsigned long long unsigned_long_from_text(const std::string& text, unsigned long long max) {
    // A negative number is out of range rather than unreadable; -0 is 0.
    if (text.size() > 1 && text[0] == '-' && std::isdigit(static_cast<unsigned char>(text[1]))) {
        if (whole_number<unsigned long long>(text.substr(1)) != 0) {
            throw std::out_of_range(text);
        }
        return 0;
    }
    const auto value = whole_number<unsigned long long>(text);
    if (value > max) {
        throw std::out_of_range(text);
    }
    return value;
}

double double_from_text(const std::string& text) {
    return real_number<double>(text);
}

float float_from_text(const std::string& text) {
    return real_number<float>(text);
}

std::string number_text(long long value) {
    return std::to_string(value);
}

std::string number_text(unsigned long long value) {
    return std::to_string(value);
}

std::string number_text(double value) {
    return shortest_text(value);
}

std::string number_text(float value) {
    return shortest_text(value);
}

} // namespace argparse
