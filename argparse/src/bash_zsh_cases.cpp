// The case branches of the bash and zsh scripts, made from an option or a command.
#include "bash_zsh_cases.hpp"

#include "rendered_options.hpp"
#include "shell_quoting.hpp"

namespace argparse {

std::string value_case(const Entry& entry, const std::string& indent, const std::string& open) {
    if (is_flag(entry)) {
        return "";
    }
    return indent + open + quoted_words(dashed_names(entry), "|") +
           ") takes=" + (entry.implicit_value ? "equals" : "next") + " values=(" +
           quoted_words(value_names(entry)) + ")" + (takes_file_name(entry) ? " files=1" : "") +
           " ;;\n";
}

std::string subcommand_case(const Command& command, const std::string& open,
                            const std::string& variable) {
    std::string cases;
    for (const auto& [name, subcommand] : command.args->subcommands) {
        cases += open + quoted_words(names_of(name, *subcommand), "|") + ") " + variable +
                 "+=" + quoted(" " + name) + " ;; ";
    }
    if (cases.empty()) {
        return "";
    }
    return "        " + open + quoted(command.path) + ") case $w in " + cases + "esac ;;\n";
}

} // namespace argparse
