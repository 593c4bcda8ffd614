#include "rendering.hpp"

#include <argparse/completion.hpp>

namespace argparse {
namespace {

// Quotes text for fish, whose single quotes make a backslash escape only a quote or a
// backslash; a newline becomes a blank, as a description is one line.
std::string fish_quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text) {
        if (c == '\'' || c == '\\') {
            result += '\\';
        }
        result += c == '\n' ? ' ' : c;
    }
    return result + "'";
}

// The arguments of complete for the option's value, if it has one: the names of an
// enumeration, otherwise file names where the value may name a file, and nothing for a number.
std::string value_arguments(const Entry& entry) {
    if (is_flag(entry)) {
        return "";
    }
    const std::vector<std::string> values = value_names(entry);
    // Without -r, an option with an implicit value takes its value only after "=".
    const std::string required = entry.implicit_value ? "" : " -r";
    if (!values.empty()) {
        return required + " -f -a " + fish_quoted(joined(values, " "));
    }
    return required + (takes_file_name(entry) ? "" : " -f");
}

} // namespace

std::string fish_completion(const Args& args, const std::string& program) {
    std::string lines;
    for (const auto& entry : options_of(args)) {
        lines += "complete -c " + fish_quoted(program);
        for (const auto& key : entry->keys) {
            lines += (dashed(key)[1] == '-' ? " -l " : " -s ") + fish_quoted(key);
        }
        lines += " -d " + fish_quoted(entry->help_text) + value_arguments(*entry) + "\n";
    }
    return lines;
}

} // namespace argparse
