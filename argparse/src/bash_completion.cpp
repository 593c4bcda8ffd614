// The bash completion script, rendered from the declarations.
#include "bash_zsh_cases.hpp"
#include "command_tree.hpp"
#include "rendered_options.hpp"
#include "shell_quoting.hpp"

#include <argparse/completion.hpp>

namespace argparse {
namespace {

// Splits the text before the cursor, and the part of it that readline completes ($2), into
// words as bash reads them, without expanding anything: the last word is the one completed.
const char* const split_words =
    R"(    local line=${COMP_LINE:0:COMP_POINT} input words word quote c i pass=0 shown cur
    for input in "$2" "$line"; do
        words=() word= quote=
        for ((i = 0; i < ${#input}; i++)); do
            c=${input:i:1}
            if [[ $quote == "'" ]]; then
                [[ $c == "'" ]] && quote= || word+=$c
            elif [[ $c == '\' && ( -z $quote || ${input:i+1:1} == [\$\`\"\\] ) ]]; then
                word+=${input:i+1:1} && ((++i))
            elif [[ $quote == '"' ]]; then
                [[ $c == '"' ]] && quote= || word+=$c
            elif [[ $c == [\'\"] ]]; then
                quote=$c
            elif [[ $c == [[:space:]] ]]; then
                [[ -n $word ]] && words+=("$word")
                word=
            else
                word+=$c
            fi
        done
        ((pass++)) || shown=$word
    done
    cur=$word
)";

// After the command's data: the candidates, of which those that begin with the word are
// replied, less the part before the point where readline's word starts (after a ":" or "="),
// quoted as printf %q quotes, or by readline inside a quote that the word opens.
const char* const reply =
    R"(    if [[ -n $prefix && -n $takes || -z $prefix && $takes == next ]]; then
        for c in "${values[@]}"; do candidates+=("$prefix$c"); done
    elif [[ $cur == -* ]]; then
        candidates=("${options[@]}") files=
    else
        candidates=("${subs[@]}") files=1
    fi
    if [[ -n $files ]]; then
        mapfile -t found < <(compgen -f -- "${cur#"$prefix"}")
        for c in "${found[@]}"; do
            [[ -d $c && -z $quote ]] && c+=/
            candidates+=("$prefix$c")
        done
    fi
    COMPREPLY=()
    for c in "${candidates[@]}"; do
        [[ $c == "$cur"* ]] || continue
        c=${c:${#cur}-${#shown}}
        [[ -z $c || -n $quote ]] || printf -v c %q "$c"
        COMPREPLY+=("$c")
    done
    if [[ -n $quote ]]; then
        compopt -o filenames
    elif [[ ${#COMPREPLY[@]} == 1 && $COMPREPLY == */ ]]; then
        compopt -o nospace
    fi
)";

std::string command_data(const Command& command) {
    std::vector<std::string> options;
    std::string values;
    for (const auto& entry : options_of(command)) {
        const auto names = dashed_names(*entry);
        options.insert(options.end(), names.begin(), names.end());
        values += value_case(*entry, "            ", "");
    }
    return "    " + quoted(command.path) + ")\n        subs=(" +
           quoted_words(subcommand_words(*command.args)) + ")\n        options=(" +
           quoted_words(options) + ")\n        case $name in\n" + values + "        esac ;;\n";
}

} // namespace

std::string bash_completion(const Args& args, const std::string& program) {
    std::string steps;
    std::string data;
    for (const auto& command : commands_of(args)) {
        steps += subcommand_case(command, "", "path");
        data += command_data(command);
    }
    const std::string function = function_name(program);
    return function + "() {\n" + split_words +
           "    local path= prev= w subs=() options=() values=() takes= files= prefix= name "
           "candidates=() found\n"
           "    for w in \"${words[@]:1}\"; do\n"
           "        case $path in\n" +
           steps +
           "        esac\n"
           "        prev=$w\n"
           "    done\n"
           "    name=$prev\n"
           "    [[ $cur == -*=* ]] && name=${cur%%=*} prefix=${cur%%=*}=\n"
           "    case $path in\n" +
           data + "    esac\n" + reply + "}\ncomplete -F " + function + " " + quoted(program) +
           "\n";
}

} // namespace argparse
