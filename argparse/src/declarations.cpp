// The registry: declaring positional arguments, options, flags, subcommands and groups, and
// refusing names that cannot be typed or rendered.
#include "command_tree.hpp"
#include "help_option.hpp"

#include <argparse/args.hpp>
#include <argparse/text.hpp>

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace argparse {
namespace {

// A blank, a control character or "=" (which ends the name in --name=VALUE) cannot be typed.
bool can_be_typed(const std::string& name) {
    return std::none_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return std::isspace(byte) || std::iscntrl(byte) || c == '=';
    });
}

// Returns why an option or subcommand name could not be typed, or nothing.
std::optional<std::string> untypable(const std::string& name) {
    if (!can_be_typed(name)) {
        return "\"" + name + "\" holds a blank, a control character or \"=\"";
    }
    if (name[0] == '-') {
        return "\"" + name + "\" starts with \"-\": names are written without dashes";
    }
    if (name.size() == 1 && std::isdigit(static_cast<unsigned char>(name[0]))) {
        return "\"" + name + "\" is a digit, and -" + name + " a number";
    }
    return std::nullopt;
}

[[noreturn]] void refuse(const char* what, const std::string& key_list, const std::string& why) {
    throw std::invalid_argument(std::string(what) + " \"" + key_list + "\": " + why);
}

// Refuses a key list that holds an empty name: "", ",a", "a,,b" and "a," (whose last name
// splitting drops) all do.
void refuse_empty_name(const char* what, const std::string& key_list,
                       const std::vector<std::string>& names) {
    const auto commas = static_cast<std::size_t>(std::count(key_list.begin(), key_list.end(), ','));
    if (names.size() != commas + 1 ||
        std::any_of(names.begin(), names.end(), [](const auto& name) { return name.empty(); })) {
        refuse(what, key_list, "a name is empty");
    }
}

} // namespace

Entry& Args::arg(const std::string& key, const std::string& help) {
    auto entry = std::make_shared<Entry>(Entry::Kind::POSITIONAL, key, help, std::nullopt);
    refuse_empty_name("argument", key, entry->keys);
    entry->earlier.assign(positional_entries.begin(), positional_entries.end());
    positional_entries.push_back(entry);
    entries.push_back(entry);
    return *entry;
}

Entry& Args::kwarg(const std::string& keys, const std::string& help,
                   const std::optional<std::string>& implicit_value) {
    for (const auto& name : split_keys(keys)) {
        if (is_help_name(name)) {
            refuse("option", keys, "\"" + name + "\" names the help option, which parse declares");
        }
    }
    return add_option(keys, help, implicit_value);
}

Entry& Args::add_option(const std::string& keys, const std::string& help,
                        const std::optional<std::string>& implicit_value) {
    auto entry = std::make_shared<Entry>(Entry::Kind::OPTION, keys, help, implicit_value);
    refuse_empty_name("option", keys, entry->keys);
    for (auto name = entry->keys.begin(); name != entry->keys.end(); ++name) {
        if (const auto why = untypable(*name)) {
            refuse("option", keys, *why);
        }
        if (option_map.count(*name) != 0 || std::find(entry->keys.begin(), name, *name) != name) {
            refuse("option", keys, "\"" + *name + "\" is already declared");
        }
    }
    entries.push_back(entry);
    for (const auto& name : entry->keys) {
        option_map[name] = entry;
    }
    return *entry;
}

Entry& Args::flag(const std::string& keys, const std::string& help) {
    return kwarg(keys, help, "true").set_default(false);
}

std::vector<std::string> Args::subcommand_keys(const std::string& names) const {
    const std::vector<std::string> keys = split_keys(names);
    refuse_empty_name("subcommand", names, keys);
    for (auto key = keys.begin(); key != keys.end(); ++key) {
        if (const auto why = untypable(*key)) {
            refuse("subcommand", names, *why);
        }
        if (find_subcommand(*this, *key) != nullptr || std::find(keys.begin(), key, *key) != key) {
            refuse("subcommand", names, "\"" + *key + "\" is already declared");
        }
    }
    return keys;
}

void Args::version(const std::string& text, const std::string& keys) {
    [[maybe_unused]] bool& requested =
        kwarg(keys, "print version information and exit", "true").set_default(false);
    version_text = text;
    version_entry = entries.back();
}

void Args::exclusive(const std::vector<std::string>& names) {
    add_group(true, names);
}

void Args::together(const std::vector<std::string>& names) {
    add_group(false, names);
}

void Args::add_group(bool exclusive, const std::vector<std::string>& names) {
    const std::string list = joined(names, ",");
    if (names.size() < 2) {
        refuse("group", list, "a group needs two names or more");
    }
    Group group{exclusive, {}};
    for (auto name = names.begin(); name != names.end(); ++name) {
        const auto found = std::find_if(entries.begin(), entries.end(), [&](const auto& entry) {
            return entry->keys.front() == *name;
        });
        if (found == entries.end()) {
            refuse("group", list, "\"" + *name + "\" is not declared");
        }
        if (std::find(names.begin(), name, *name) != name) {
            refuse("group", list, "\"" + *name + "\" is named twice");
        }
        group.entries.push_back(*found);
    }
    groups.push_back(group);
}

bool Args::has_options() const {
    return std::any_of(entries.begin(), entries.end(),
                       [](const auto& entry) { return entry->kind != Entry::Kind::POSITIONAL; });
}

} // namespace argparse
