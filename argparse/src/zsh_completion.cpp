// The zsh completion function, rendered from the declarations.
#include "bash_zsh_cases.hpp"
#include "command_tree.hpp"
#include "rendered_options.hpp"
#include "shell_quoting.hpp"

#include <argparse/completion.hpp>

namespace argparse {
namespace {

// After the command's data: the value names or file names of the option before the word or of
// the --name= it begins with, the option names with their descriptions, or the subcommand
// names and file names. compadd matches each against the word and quotes what it inserts. A
// subcommand is offered with its description; a program without subcommands keeps the plain
// line that its script always had.
std::string reply(bool subcommands) {
    return std::string(
               R"(    if [[ $cur == -*=* && -n $takes || $cur != -*=* && $takes == next ]]; then
        compset -P '*='
        (( $#values )) && compadd -- $values
        [[ -n $files ]] && _files
    elif [[ $cur == -* ]]; then
        compadd -l -d descriptions -- $options
    else
        (( $#subs )) && compadd )") +
           (subcommands ? "-l -d subdescriptions " : "") + R"(-- $subs
        _files
    fi
)";
}

// A description on one line, as compadd shows it beside the name.
std::string one_line(std::string text) {
    for (char& c : text) {
        c = c == '\n' ? ' ' : c;
    }
    return text;
}

// Each word that names a subcommand, with the subcommand's description where it has one.
std::vector<std::string> subcommand_descriptions(const Args& args) {
    std::vector<std::string> shown;
    for (const auto& [name, subcommand] : args.subcommands) {
        const std::string& description = subcommand->description;
        for (const auto& word : names_of(name, *subcommand)) {
            shown.push_back(word + (description.empty() ? "" : "  -- " + one_line(description)));
        }
    }
    return shown;
}

std::string command_data(const Command& command, const Descriptions& descriptions) {
    std::vector<std::string> options;
    std::vector<std::string> shown;
    std::string values;
    for (const auto& entry : options_of(command)) {
        for (const auto& name : dashed_names(*entry)) {
            options.push_back(name);
            shown.push_back(name + "  -- " + one_line(description(command, *entry, descriptions)));
        }
        values += value_case(*entry, "        ", "(");
    }
    const std::vector<std::string> subs = subcommand_descriptions(*command.args);
    return "    (" + quoted(command.path) + ")\n        subs=(" +
           quoted_words(subcommand_words(*command.args)) + ")\n" +
           (subs.empty() ? "" : "        local -a subdescriptions=(" + quoted_words(subs) + ")\n") +
           "        options=(" + quoted_words(options) + ")\n        descriptions=(" +
           quoted_words(shown) + ")\n        case $name in\n" + values + "        esac ;;\n";
}

} // namespace

std::string zsh_completion(const Args& args, const std::string& program,
                           const Descriptions& descriptions) {
    std::string steps;
    std::string data;
    for (const auto& command : commands_of(args)) {
        steps += subcommand_case(command, "(", "cmd");
        data += command_data(command, descriptions);
    }
    const std::string function = function_name(program);
    // Autoloaded from fpath, the file is the body of the function: it defines the function
    // and calls it. Sourced, it only registers the function.
    return "#compdef " + program + "\n\n" + function +
           "() {\n"
           "    local -a before=(\"${(@Q)words[2,CURRENT-1]}\") subs options descriptions values\n"
           "    local cur=${(Q)PREFIX} cmd= prev= name w takes= files=\n"
           "    for w in \"${before[@]}\"; do\n"
           "        case $cmd in\n" +
           steps +
           "        esac\n"
           "        prev=$w\n"
           "    done\n"
           "    name=$prev\n"
           "    [[ $cur == -*=* ]] && name=${cur%%=*}\n"
           "    case $cmd in\n" +
           data + "    esac\n" + reply(!args.subcommands.empty()) +
           "}\n\n"
           "if [[ ${zsh_eval_context[-1]} == loadautofunc ]]; then\n    " +
           function + " \"$@\"\nelse\n    compdef " + function + " " + quoted(program) + "\nfi\n";
}

} // namespace argparse
