#pragma once

// String helpers of the parser: joining words, lowering letters, escaping control characters.

#include <cctype>
#include <string>
#include <vector>

namespace argparse {

// Returns words joined by separator: "a, b" for {"a", "b"} and ", "; "" for no word.
std::string joined(const std::vector<std::string>& words, const std::string& separator);

// Returns a copy of s with the letters A to Z lowered; the program keeps the "C" locale.
template <typename S> std::string to_lower(const S& s) {
    std::string lowered(s.size(), '\0');
    for (std::size_t i = 0; i < s.size(); ++i) {
        lowered[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(s[i])));
    }
    return lowered;
}

// Returns text with each control character written as a C escape (\n, \t, \033), so that a
// word quoted in a message can never break it into lines or drive a terminal; every other
// byte stays as it is.
std::string printable(const std::string& text);

} // namespace argparse
