// The help text: usage line, tables of arguments and options, and subcommand sections.
#include "command_tree.hpp"
#include "display_width.hpp"
#include "terminal.hpp"
#include "usage.hpp"

#include <argparse/args.hpp>
#include <argparse/text.hpp>

#include <algorithm>
#include <cstdlib>
#include <iostream>

namespace argparse {
namespace {

constexpr std::size_t key_column_width = 17;
constexpr std::size_t help_column = key_column_width + 3;

// Bold subcommand titles, only for a person at a terminal who did not ask for plain text with
// NO_COLOR: a file, a pipe or a string gets plain text.
std::string bold(const std::string& text, const std::ostream& out) {
    const char* no_color = std::getenv("NO_COLOR");
    const bool plain = no_color != nullptr && *no_color != '\0';
    return is_terminal(out) && !plain ? "\x1b[1m" + text + "\x1b[0m" : text;
}

// Returns text broken at blanks into lines that end before width, the first starting at
// column start and the others at the help column, counting the columns that characters take on
// a terminal; a word longer than a line stays whole.
std::string wrapped(const std::string& text, std::size_t start, std::size_t width) {
    std::string result;
    std::size_t column = start;
    for (std::size_t begin = 0;;) {
        const std::size_t end = std::min(text.find(' ', begin), text.size());
        const std::string word = text.substr(begin, end - begin);
        if (begin > 0 && column > help_column && column + 1 + display_width(word) > width) {
            result += "\n" + std::string(help_column, ' ');
            column = help_column;
        } else if (begin > 0) {
            result += ' ';
            ++column;
        }
        result += word;
        column += display_width(word);
        if (end == text.size()) {
            return result;
        }
        begin = end + 1;
    }
}

void write_row(std::ostream& out, const std::string& key, const Entry& entry, bool wrap) {
    const std::size_t key_width = display_width(key);
    const std::string padding(key_width < key_column_width ? key_column_width - key_width : 0, ' ');
    const std::string text = entry.help_text + entry.info();
    const std::size_t start = padding.size() + key_width + 3;
    out << padding << key << " : " << (wrap ? wrapped(text, start, terminal_width(out)) : text)
        << std::endl;
}

} // namespace

std::string Entry::info() const {
    std::string text = " [";
    const std::vector<std::string> allowed = target_converter->allowed_values();
    if (!allowed.empty()) {
        text += "allowed: <" + joined(allowed, ", ") + ">, ";
    }
    if (implicit_value) {
        text += "implicit: \"" + *implicit_value + "\", ";
    }
    if (counted) {
        text += "counted, ";
    }
    if (env_name) {
        text += "env: " + *env_name + ", ";
    }
    text += default_text ? "default: " + *default_text : "required";
    return text + "]";
}

void Args::help() {
    help(std::cout);
}

void Args::help(std::ostream& out) {
    welcome(out);
    out << usage_line(*this) << std::endl;
    for (const auto& entry : positional_entries) {
        write_row(out, entry->keys.front(), *entry, settings.wrap_help);
    }
    if (has_options()) {
        out << std::endl << "Options:" << std::endl;
    }
    for (const auto& entry : entries) {
        if (entry->kind != Entry::Kind::POSITIONAL) {
            write_row(out, entry->_get_keys(), *entry, settings.wrap_help);
        }
    }
    for (const auto& [name, subcommand] : subcommands) {
        const std::string& description = subcommand->description;
        out << std::endl << std::endl;
        out << bold("Subcommand: ", out) << bold(joined(names_of(name, *subcommand), ", "), out)
            << (description.empty() ? "" : " : " + description) << std::endl;
        subcommand->args->settings.wrap_help |= settings.wrap_help;
        subcommand->args->command_path = command_name(*this) + " " + name;
        subcommand->args->help(out);
    }
}

} // namespace argparse
