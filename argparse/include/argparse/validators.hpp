#pragma once

// Tests for Entry::validate. Each refuses a value with std::runtime_error, whose reason the
// error message gives as it gives a conversion's.

#include <argparse/convert.hpp>

#include <string>
#include <vector>

namespace argparse {

struct Range {
    long double min;
    long double max;
    std::string shown;
    void operator()(const std::string& text, const ConvertBase& converted) const;
};

// Returns a test that refuses a number below min or above max, and NaN. It tests the number
// that the member holds (each element of a std::vector), as its type read it: "0x5" is 0 for an
// unsigned int; the word of a member that holds no number is read as a double.
template <typename N> Range range(N min, N max) {
    return Range{static_cast<long double>(min), static_cast<long double>(max),
                 "from " + Converter<N>::to_text(min) + " to " + Converter<N>::to_text(max)};
}

struct OneOf {
    std::vector<std::string> texts;
    void operator()(const std::string& text) const;
};

// Returns a test that refuses a text other than those given, compared byte for byte.
inline OneOf one_of(std::vector<std::string> texts) {
    return OneOf{std::move(texts)};
}

struct ExistingFile {
    void operator()(const std::string& text) const;
};

// Returns a test that refuses a name that is not that of an existing file (or of a link to
// one); a directory is refused too.
inline ExistingFile existing_file() {
    return {};
}

} // namespace argparse
