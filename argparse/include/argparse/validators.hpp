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
    void operator()(const std::string& text) const;
};

// Returns a test that refuses a number below min or above max. It tests each element of a
// std::vector member; a number is read as the member's type reads it.
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
