#pragma once

#include <cctype>
#include <string>

namespace argparse {

// Returns a copy of s with the letters A to Z lowered; the program keeps the "C" locale.
template <typename S> std::string to_lower(const S& s) {
    std::string lowered(s.size(), '\0');
    for (std::size_t i = 0; i < s.size(); ++i) {
        lowered[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(s[i])));
    }
    return lowered;
}

} // namespace argparse
