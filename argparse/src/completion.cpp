#include "rendering.hpp"

#include <argparse/completion.hpp>

#include <cctype>

namespace argparse {
namespace {

// Quotes a word of compgen's word list, which compgen expands once more, when it needs it.
std::string listed(const std::string& word) {
    for (char c : word) {
        if (!std::isalnum(static_cast<unsigned char>(c)) &&
            std::string("-_?=.,:").find(c) == std::string::npos) {
            return quoted(word);
        }
    }
    return word;
}

// One case of the script: the words after which entry's values are offered. An option with
// an implicit value takes no following word, so only its "=" form is one of them.
std::string value_case(const Entry& entry, const std::string& values) {
    std::string patterns;
    for (const auto& key : entry.keys) {
        if (!entry.implicit_value) {
            patterns += quoted(dashed(key)) + "|";
        }
        patterns += quoted(dashed(key) + "=") + "|";
    }
    patterns.pop_back();
    return "        " + patterns + ") values=" + quoted(values) + " ;;\n";
}

} // namespace

std::string bash_completion(const Args& args, const std::string& program) {
    std::string options;
    std::string cases;
    for (const auto& entry : options_of(args)) {
        for (const auto& key : entry->keys) {
            options += listed(dashed(key)) + " ";
        }
        const std::string values = joined(value_names(*entry), " ");
        if (!values.empty()) {
            cases += value_case(*entry, values);
        }
    }
    options.pop_back();
    const std::string function = function_name(program);
    return function +
           "() {\n"
           "    local cur=$2 prev=${COMP_WORDS[COMP_CWORD-1]} values=\n"
           "    # cur is the word up to the cursor. bash splits --name=VALUE at \"=\": the "
           "words end in --name, =, VALUE or in --name, =.\n"
           "    if [[ ${COMP_WORDS[COMP_CWORD]} == = ]]; then\n"
           "        prev+='=' cur=\n"
           "    elif [[ $prev == = && $COMP_CWORD -ge 2 ]]; then\n"
           "        prev=${COMP_WORDS[COMP_CWORD-2]}=\n"
           "    fi\n"
           "    case $prev in\n" +
           cases +
           "    esac\n"
           "    if [[ -n $values ]]; then\n"
           "        mapfile -t COMPREPLY < <(compgen -W \"$values\" -- \"$cur\")\n"
           "    elif [[ $cur == -* ]]; then\n"
           "        mapfile -t COMPREPLY < <(compgen -W " +
           quoted(options) +
           " -- \"$cur\")\n"
           "    else\n"
           "        compopt -o filenames 2>/dev/null\n"
           "        mapfile -t COMPREPLY < <(compgen -f -- \"$cur\")\n"
           "    fi\n"
           "}\n"
           "complete -F " +
           function + " " + quoted(program) + "\n";
}

} // namespace argparse
