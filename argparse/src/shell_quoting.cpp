// Quoting words for bash and zsh, and naming a program's shell functions.
#include "shell_quoting.hpp"

#include <argparse/text.hpp>

#include <algorithm>
#include <cctype>
#include <iterator>

namespace argparse {

std::string quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text) {
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return result + "'";
}

std::string quoted_words(const std::vector<std::string>& words, const std::string& separator) {
    std::vector<std::string> quoted_list;
    std::transform(words.begin(), words.end(), std::back_inserter(quoted_list), quoted);
    return joined(quoted_list, separator);
}

std::string function_name(const std::string& program) {
    std::string name = "_";
    for (char c : program) {
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

} // namespace argparse
