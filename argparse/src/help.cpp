// The help text: usage line, tables of arguments and options, and subcommand sections.
#include "command_tree.hpp"

#include <argparse/args.hpp>
#include <argparse/text.hpp>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <sys/ioctl.h>
#include <unistd.h>

namespace argparse {
namespace {

constexpr std::size_t key_column_width = 17;
constexpr std::size_t help_column = key_column_width + 3;

// Bold subcommand titles, only for a person at a terminal: a file or pipe gets plain text.
std::string bold(const std::string& text) {
    return isatty(STDOUT_FILENO) ? "\x1b[1m" + text + "\x1b[0m" : text;
}

// The width to wrap to: COLUMNS where it is a number, else the terminal's, else 80.
std::size_t terminal_width() {
    const char* columns = std::getenv("COLUMNS");
    if (columns != nullptr && std::atoi(columns) > 0) {
        return static_cast<std::size_t>(std::atoi(columns));
    }
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
        return size.ws_col;
    }
    return 80;
}

// Returns text broken at blanks into lines that end before width, the first starting at
// column start and the others at the help column; a word longer than a line stays whole.
std::string wrapped(const std::string& text, std::size_t start, std::size_t width) {
    std::string result;
    std::size_t column = start;
    for (std::size_t begin = 0;;) {
        const std::size_t end = std::min(text.find(' ', begin), text.size());
        if (begin > 0 && column > help_column && column + 1 + end - begin > width) {
            result += "\n" + std::string(help_column, ' ');
            column = help_column;
        } else if (begin > 0) {
            result += ' ';
            ++column;
        }
        result.append(text, begin, end - begin);
        column += end - begin;
        if (end == text.size()) {
            return result;
        }
        begin = end + 1;
    }
}

void write_row(const std::string& key, const Entry& entry, bool wrap) {
    const std::string padding(key.size() < key_column_width ? key_column_width - key.size() : 0,
                              ' ');
    const std::string text = entry.help_text + entry.info();
    const std::size_t start = padding.size() + key.size() + 3;
    std::cout << padding << key << " : " << (wrap ? wrapped(text, start, terminal_width()) : text)
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
    if (env_name) {
        text += "env: " + *env_name + ", ";
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
        std::cout << " [SUBCOMMAND: " << joined(subcommand_names(*this), ", ") << "]";
    }
    std::cout << std::endl;
    for (const auto& entry : positional_entries) {
        write_row(entry->keys.front(), *entry, settings.wrap_help);
    }
    if (has_options()) {
        std::cout << std::endl << "Options:" << std::endl;
    }
    for (const auto& entry : entries) {
        if (entry->kind != Entry::Kind::POSITIONAL) {
            write_row(entry->_get_keys(), *entry, settings.wrap_help);
        }
    }
    for (const auto& [name, subcommand] : subcommands) {
        std::cout << std::endl << std::endl;
        std::cout << bold("Subcommand: ") << bold(name) << std::endl;
        subcommand->args->settings.wrap_help |= settings.wrap_help;
        subcommand->args->help();
    }
}

} // namespace argparse
