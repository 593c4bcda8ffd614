// The case branches of the bash and zsh scripts, made from an option or a command.
#include "bash_zsh_cases.hpp"

#include "rendered_options.hpp"
#include "shell_quoting.hpp"

#include <argparse/text.hpp>

#include <vector>

namespace argparse {

std::string value_case(const Entry& entry, const std::string& indent, const std::string& open) {
    if (is_flag(entry)) {
        return "";
    }
    std::vector<std::string> patterns = dashed_names(entry);
    for (auto& name : patterns) {
        name = argparse::quoted(name);
    }
    return indent + open + joined(patterns, "|") +
           ") takes=" + (entry.implicit_value ? "equals" : "next") + " values=(" +
           quoted_words(value_names(entry)) + ")" + (takes_file_name(entry) ? " files=1" : "") +
           " ;;\n";
}

} // namespace argparse
