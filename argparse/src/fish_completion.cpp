// The fish completion script, rendered from the declarations.
#include "command_tree.hpp"
#include "rendered_options.hpp"
#include "shell_quoting.hpp"

#include <argparse/completion.hpp>
#include <argparse/text.hpp>

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

// Returns words as the argument of complete -a, which fish expands when it completes: each
// word is quoted for that expansion, and the list once more for the complete line.
std::string candidates(const std::vector<std::string>& words) {
    std::vector<std::string> quoted_list;
    for (const auto& word : words) {
        quoted_list.push_back(fish_quoted(word));
    }
    return fish_quoted(joined(quoted_list, " "));
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
        return required + " -f -a " + candidates(values);
    }
    return required + (takes_file_name(entry) ? "" : " -f");
}

// The function that prints the names of the subcommands before the cursor, as parse finds them:
// at each level, the first word that names a subcommand of that level, or is its alias.
std::string command_function(const std::string& function, const std::vector<Command>& commands) {
    std::string cases;
    for (const auto& command : commands) {
        std::string steps;
        for (const auto& [name, subcommand] : command.args->subcommands) {
            std::vector<std::string> names = names_of(name, *subcommand);
            for (auto& word : names) {
                word = fish_quoted(word);
            }
            steps += "                contains -- $word " + joined(names, " ") +
                     "; and set command \"$command\"" + fish_quoted(" " + name) + "\n";
        }
        if (!steps.empty()) {
            cases += "            case " + fish_quoted(command.path) + "\n" + steps;
        }
    }
    return "function " + function +
           "\n    set -l command ''\n    for word in (commandline -opc)[2..-1]\n"
           "        switch $command\n" +
           cases + "        end\n    end\n    echo $command\nend\n";
}

} // namespace

std::string fish_completion(const Args& args, const std::string& program,
                            const Descriptions& descriptions) {
    const std::vector<Command> commands = commands_of(args);
    const std::string function = function_name(program) + "_command";
    std::string lines = command_function(function, commands);
    for (const auto& command : commands) {
        const std::string start =
            "complete -c " + fish_quoted(program) + " -n " +
            fish_quoted("test (" + function + ") = " + fish_quoted(command.path));
        for (const auto& [name, subcommand] : command.args->subcommands) {
            const std::string& shown = subcommand->description;
            lines += start + " -a " + candidates(names_of(name, *subcommand)) +
                     (shown.empty() ? "" : " -d " + fish_quoted(shown)) + "\n";
        }
        for (const auto& entry : options_of(command)) {
            lines += start;
            for (const auto& key : entry->keys) {
                lines += (key.size() == 1 ? " -s " : " -l ") + fish_quoted(key);
            }
            lines += " -d " + fish_quoted(description(command, *entry, descriptions)) +
                     value_arguments(*entry) + "\n";
        }
    }
    return lines;
}

} // namespace argparse
