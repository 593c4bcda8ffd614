#include <argparse/args.hpp>

#include <iostream>

namespace argparse {
namespace {

constexpr std::size_t key_column_width = 17;
const char* const bold = "\x1b[1m";
const char* const reset = "\x1b[0m";

void write_row(const std::string& key, const Entry& entry) {
    if (key.size() < key_column_width) {
        std::cout << std::string(key_column_width - key.size(), ' ');
    }
    std::cout << key << " : " << entry.help_text << entry.info() << std::endl;
}

} // namespace

std::string dashed(const std::string& key) {
    return (key.size() == 1 ? "-" : "--") + key;
}

std::string Entry::_get_keys() const {
    std::string text;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (i > 0) {
            text += ",";
        }
        text += kind == Kind::POSITIONAL ? keys[i] : dashed(keys[i]);
    }
    return text;
}

std::string Entry::info() const {
    std::string text = " [";
    const std::string allowed = target_converter->get_allowed_entries();
    if (!allowed.empty()) {
        text += "allowed: <" + allowed.substr(0, allowed.size() - 2) + ">, ";
    }
    if (implicit_value) {
        text += "implicit: \"" + *implicit_value + "\", ";
    }
    text += default_text ? "default: " + *default_text : "required";
    return text + "]";
}

void Args::help() {
    welcome();
    std::cout << "Usage: " << program_name << " ";
    for (const auto& entry : positional_entries) {
        std::cout << entry->keys.front() << " ";
    }
    if (has_options()) {
        std::cout << " [options...]";
    }
    if (!subcommands.empty()) {
        std::cout << " [SUBCOMMAND: ";
        for (const auto& [name, subcommand] : subcommands) {
            std::cout << name << ", ";
        }
        std::cout << "]";
    }
    std::cout << std::endl;
    for (const auto& entry : positional_entries) {
        write_row(entry->keys.front(), *entry);
    }
    if (has_options()) {
        std::cout << std::endl << "Options:" << std::endl;
    }
    for (const auto& entry : entries) {
        if (entry->kind != Entry::Kind::POSITIONAL) {
            write_row(entry->_get_keys(), *entry);
        }
    }
    for (const auto& [name, subcommand] : subcommands) {
        std::cout << std::endl << std::endl;
        std::cout << bold << "Subcommand: " << reset << bold << name << reset << std::endl;
        subcommand->args->help();
    }
}

} // namespace argparse
