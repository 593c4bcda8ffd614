#include <argparse/args.hpp>

#include <algorithm>

namespace argparse {

Entry& Args::arg(const std::string& key, const std::string& help) {
    auto entry = std::make_shared<Entry>(Entry::Kind::POSITIONAL, key, help, std::nullopt);
    positional_entries.push_back(entry);
    entries.push_back(entry);
    return *entry;
}

Entry& Args::kwarg(const std::string& keys, const std::string& help,
                   const std::optional<std::string>& implicit_value) {
    auto entry = std::make_shared<Entry>(Entry::Kind::OPTION, keys, help, implicit_value);
    entries.push_back(entry);
    for (const auto& name : entry->keys) {
        option_map[name] = entry;
    }
    return *entry;
}

Entry& Args::flag(const std::string& keys, const std::string& help) {
    return kwarg(keys, help, "true").set_default(false);
}

bool Args::has_options() {
    return std::any_of(entries.begin(), entries.end(),
                       [](const auto& entry) { return entry->kind != Entry::Kind::POSITIONAL; });
}

} // namespace argparse
