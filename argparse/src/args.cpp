#include <argparse/args.hpp>

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace argparse {
namespace {

// The names that parse gives the help option it declares.
bool is_help_name(const std::string& name) {
    return name == "?" || name == "help";
}

// A blank, a control character or "=" (which ends the name in --name=VALUE) cannot be typed.
bool can_be_typed(const std::string& name) {
    return std::none_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return std::isspace(byte) || std::iscntrl(byte) || c == '=';
    });
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
        if (!can_be_typed(*name)) {
            refuse("option", keys, "\"" + *name + "\" holds a blank, a control character or \"=\"");
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

void Args::check_subcommand_name(const std::string& name) const {
    if (name.empty() || subcommands.count(name) != 0) {
        refuse("subcommand", name, name.empty() ? "the name is empty" : "it is already declared");
    }
}

bool Args::has_options() {
    return std::any_of(entries.begin(), entries.end(),
                       [](const auto& entry) { return entry->kind != Entry::Kind::POSITIONAL; });
}

} // namespace argparse
