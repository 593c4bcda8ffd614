// The "did you mean" hint for a mistyped name: the nearest candidate by edit distance.
#include "suggestion.hpp"

#include <algorithm>
#include <numeric>

namespace argparse {
namespace {

// The number of letters to insert, delete or replace to make one text the other (Levenshtein).
std::size_t edit_distance(const std::string& from, const std::string& to) {
    std::vector<std::size_t> row(to.size() + 1);
    std::iota(row.begin(), row.end(), 0);
    for (std::size_t i = 1; i <= from.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= to.size(); ++j) {
            const std::size_t replaced = diagonal + (from[i - 1] == to[j - 1] ? 0 : 1);
            diagonal = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, replaced});
        }
    }
    return row.back();
}

} // namespace

std::optional<std::string> nearest(const std::string& name,
                                   const std::vector<std::string>& candidates) {
    std::optional<std::string> found;
    std::size_t nearest_distance = 3; // two mistakes at most
    for (const auto& candidate : candidates) {
        const std::size_t distance = edit_distance(name, candidate);
        // A mistake in every other letter is no longer a typing mistake.
        if (distance < nearest_distance && 2 * distance < std::max(name.size(), candidate.size())) {
            found = candidate;
            nearest_distance = distance;
        }
    }
    return found;
}

} // namespace argparse
