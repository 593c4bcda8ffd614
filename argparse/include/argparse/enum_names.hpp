#pragma once

// Enumerations known by their value names, in any letter case.

#include <argparse/text.hpp>

#include <magic_enum/magic_enum.hpp>

#include <stdexcept>
#include <string>

namespace argparse {

// Returns the names of E in lower case, each followed by ", ", in ascending order of value.
template <typename E> std::string allowed_names() {
    std::string names;
    for (const auto& entry : magic_enum::enum_entries<E>()) {
        names += to_lower(entry.second) + ", ";
    }
    return names;
}

// Returns the value of E whose name equals text when letter case is ignored.
template <typename E> E get(const std::string& text) {
    const std::string wanted = to_lower(text);
    for (const auto& [value, name] : magic_enum::enum_entries<E>()) {
        if (to_lower(name) == wanted) {
            return value;
        }
    }
    std::string names = allowed_names<E>();
    if (!names.empty()) {
        names.resize(names.size() - 2);
    }
    throw std::runtime_error("enum is only accepting [" + names + "]");
}

} // namespace argparse
