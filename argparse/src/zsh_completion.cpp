#include "rendering.hpp"

#include <argparse/completion.hpp>

namespace argparse {
namespace {

// Returns text for a description or message of an _arguments word: on one line, with the
// characters that end those parts escaped.
std::string described(const std::string& text) {
    std::string result;
    for (char c : text) {
        if (c == '\\' || c == '[' || c == ']' || c == ':') {
            result += '\\';
        }
        result += c == '\n' ? ' ' : c;
    }
    return result;
}

// The part of an _arguments word after the description: what completes the option's value,
// if it has one. An implicit value makes the value optional and possible only after "=".
std::string value_part(const Entry& entry) {
    if (is_flag(entry)) {
        return "";
    }
    const std::vector<std::string> values = value_names(entry);
    std::string action = takes_file_name(entry) ? "_files" : " ";
    if (!values.empty()) {
        action = "(" + joined(values, " ") + ")";
    }
    return (entry.implicit_value ? "::" : ":") + described(entry.help_text) + ":" + action;
}

// One _arguments word per name of an option; each excludes the option's other names once
// one is given.
std::string option_words(const Entry& entry) {
    std::vector<std::string> names;
    for (const auto& key : entry.keys) {
        names.push_back(dashed(key));
    }
    const std::string suffix = is_flag(entry) ? "" : entry.implicit_value ? "=-" : "=";
    std::string words;
    for (const auto& name : names) {
        words += " \\\n        " + quoted("(" + joined(names, " ") + ")" + name + suffix + "[" +
                                          described(entry.help_text) + "]" + value_part(entry));
    }
    return words;
}

} // namespace

std::string zsh_completion(const Args& args, const std::string& program) {
    std::string words;
    for (const auto& entry : options_of(args)) {
        words += option_words(*entry);
    }
    const std::string function = function_name(program);
    // Autoloaded from fpath, the file is the body of the function: it defines the function
    // and calls it. Sourced, it only registers the function.
    return "#compdef " + program + "\n\n" + function + "() {\n    _arguments" + words +
           " \\\n        '*:file:_files'\n}\n\n"
           "if [[ ${zsh_eval_context[-1]} == loadautofunc ]]; then\n    " +
           function + " \"$@\"\nelse\n    compdef " + function + " " + quoted(program) + "\nfi\n";
}

} // namespace argparse
