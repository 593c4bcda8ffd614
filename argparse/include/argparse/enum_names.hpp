#pragma once

// Enumerations known by their value names, in any letter case.

#include <argparse/text.hpp>

#include <magic_enum/magic_enum.hpp>

#include <stdexcept>
#include <string>
#include <vector>

namespace argparse {

// Returns the names of E in lower case, in ascending order of value.
template <typename E> std::vector<std::string> enum_names() {
    std::vector<std::string> names;
    for (const auto& entry : magic_enum::enum_entries<E>()) {
        names.push_back(to_lower(entry.second));
    }
    return names;
}

namespace detail {

// Returns names each followed by ", ", as allowed_names and ConvertBase::get_allowed_entries
// give them.
inline std::string comma_terminated(const std::vector<std::string>& names) {
    return names.empty() ? "" : joined(names, ", ") + ", ";
}

} // namespace detail

// Returns the names of E in lower case, each followed by ", ", in ascending order of value.
template <typename E> std::string allowed_names() {
    return detail::comma_terminated(enum_names<E>());
}

// Returns the value of E whose name equals text when letter case is ignored.
template <typename E> E get(const std::string& text) {
    const std::string wanted = to_lower(text);
    for (const auto& [value, name] : magic_enum::enum_entries<E>()) {
        if (to_lower(name) == wanted) {
            return value;
        }
    }
    throw std::runtime_error("enum is only accepting [" + joined(enum_names<E>(), ", ") + "]");
}

} // namespace argparse
