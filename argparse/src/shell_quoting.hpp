#pragma once

// Names written into the shell scripts: words quoted for bash and zsh, and function names.

#include <string>
#include <vector>

namespace argparse {

// Quotes text for bash and zsh, where nothing inside single quotes is special but the quote.
std::string quoted(const std::string& text);

// Returns each word quoted, joined by separator: by blanks, a list for a bash or zsh array; by
// "|", the alternatives of a case pattern.
std::string quoted_words(const std::vector<std::string>& words, const std::string& separator = " ");

// Returns the name of a shell function for program: "_" followed by its name, with every
// byte other than a letter or digit made "_".
std::string function_name(const std::string& program);

} // namespace argparse
