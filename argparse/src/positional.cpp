// Which positional words reach which positional argument, and the orders of declaration that
// are refused.
#include "positional.hpp"

#include "receive.hpp"

#include <algorithm>
#include <stdexcept>

namespace argparse {
namespace {

[[noreturn]] void refuse(const Entry& entry, const std::string& why) {
    throw std::invalid_argument("argument \"" + entry.keys.front() + "\": " + why);
}

// The entries in the order that assign_positional gives them words: those before the
// multi-valued one from the front, those after it from the back, and it last.
std::vector<const Entry*> word_order(const std::vector<const Entry*>& entries) {
    const auto multi = std::find_if(entries.begin(), entries.end(),
                                    [](const Entry* entry) { return entry->multi_valued; });
    std::vector<const Entry*> order(entries.begin(), multi);
    if (multi != entries.end()) {
        order.insert(order.end(), entries.rbegin(), std::make_reverse_iterator(multi + 1));
        order.push_back(*multi);
    }
    return order;
}

} // namespace

std::optional<std::size_t> assign_positional(const std::vector<std::shared_ptr<Entry>>& entries,
                                             const std::vector<std::string>& words, bool getopt) {
    const std::size_t count = entries.size();
    std::size_t multi = 0;
    for (; multi < count && !entries[multi]->multi_valued; ++multi) {
        if (multi < words.size()) {
            receive(*entries[multi], {words[multi]}, getopt);
        }
    }
    if (multi == count) {
        return count < words.size() ? std::optional(count) : std::nullopt;
    }
    for (std::size_t k = 1; k <= count - multi; ++k) {
        if (words.size() < k || words.size() - k < multi) {
            continue;
        }
        const std::size_t word = words.size() - k;
        Entry& entry = *entries[count - k];
        if (count - k == multi) {
            receive(entry,
                    {words.begin() + static_cast<std::ptrdiff_t>(multi),
                     words.begin() + static_cast<std::ptrdiff_t>(word) + 1},
                    getopt);
        } else {
            receive(entry, {words[word]}, getopt);
        }
    }
    return std::nullopt;
}

void check_positional_order(const std::vector<const Entry*>& entries) {
    const auto is_multi = [](const Entry* entry) { return entry->multi_valued; };
    const auto multi = std::find_if(entries.begin(), entries.end(), is_multi);
    const auto second =
        multi == entries.end() ? multi : std::find_if(multi + 1, entries.end(), is_multi);
    if (second != entries.end()) {
        refuse(**second, "\"" + (*multi)->keys.front() + "\" takes several words already");
    }
    const Entry* defaulted = nullptr;
    for (const Entry* entry : word_order(entries)) {
        if (entry->default_text) {
            defaulted = defaulted != nullptr ? defaulted : entry;
        } else if (defaulted != nullptr) {
            refuse(*entry, "it is required, and words reach \"" + defaulted->keys.front() +
                               "\", which has a default, first");
        }
    }
}

void Entry::check_order() const {
    std::vector<const Entry*> entries;
    for (const auto& entry : earlier) {
        entries.push_back(entry.get());
    }
    entries.push_back(this);
    check_positional_order(entries);
}

} // namespace argparse
