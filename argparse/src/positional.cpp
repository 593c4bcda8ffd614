// Which positional words reach which positional argument.
#include "positional.hpp"

#include "receive.hpp"

namespace argparse {

std::optional<std::string> assign_positional(const std::vector<std::shared_ptr<Entry>>& entries,
                                             const std::vector<std::string>& words) {
    const std::size_t count = entries.size();
    std::size_t multi = 0;
    for (; multi < count && !entries[multi]->multi_valued; ++multi) {
        if (multi < words.size()) {
            receive(*entries[multi], {words[multi]});
        }
    }
    if (multi == count) {
        return count < words.size() ? std::optional(words[count]) : std::nullopt;
    }
    for (std::size_t k = 1; k <= count - multi; ++k) {
        if (words.size() < k || words.size() - k < multi) {
            continue;
        }
        const std::size_t word = words.size() - k;
        Entry& entry = *entries[count - k];
        if (count - k == multi) {
            receive(entry, {words.begin() + static_cast<std::ptrdiff_t>(multi),
                            words.begin() + static_cast<std::ptrdiff_t>(word) + 1});
        } else {
            receive(entry, {words[word]});
        }
    }
    return std::nullopt;
}

} // namespace argparse
