#pragma once

#include <argparse/args.hpp>

#include <memory>
#include <string>
#include <vector>

// What the completion scripts and the manual page, each rendered from the declarations, share.
namespace argparse {

// Returns the option entries of args in declaration order, and last the help option that
// parse declares, so that a rendering made before parsing shows that option too.
std::vector<std::shared_ptr<Entry>> options_of(const Args& args);

// Returns the names an enumeration entry accepts, in order of value; none for other entries.
std::vector<std::string> value_names(const Entry& entry);

// True for an option whose name alone sets it: a boolean with an implicit value.
bool is_flag(const Entry& entry);

// Returns how a value that is not one of a list of names is shown: NUMBER, BOOLEAN or TEXT.
std::string placeholder(const Entry& entry);

// True for an entry whose value may name a file: any text, rather than a name from a list,
// a number or a boolean.
bool takes_file_name(const Entry& entry);

// Returns words joined by separator.
std::string joined(const std::vector<std::string>& words, const std::string& separator);

// Quotes text for bash and zsh, where nothing inside single quotes is special but the quote.
std::string quoted(const std::string& text);

// Returns the name of a shell function for program: "_" followed by its name, with every
// byte other than a letter or digit made "_".
std::string function_name(const std::string& program);

} // namespace argparse
