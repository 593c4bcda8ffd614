#pragma once

#include <argparse/args.hpp>
#include <argparse/completion.hpp>
#include <argparse/text.hpp>

#include <memory>
#include <string>
#include <vector>

// What the completion scripts and the manual page, each rendered from the declarations, share.
namespace argparse {

// The program, or one of its subcommands, nested too.
struct Command {
    // The subcommand words after the program's name, each preceded by a blank: "" for the
    // program itself, " push remote" for the subcommand remote of push.
    std::string path;
    const Args* args;
};

// Returns the program's command, then each subcommand, depth first in the order of names.
std::vector<Command> commands_of(const Args& args);

// Returns the names of a command's subcommands, in order.
std::vector<std::string> subcommand_names(const Args& args);

// Returns the option entries of args in declaration order, and last the help option that
// parse declares, so that a rendering made before parsing shows that option too.
std::vector<std::shared_ptr<Entry>> options_of(const Args& args);

// Returns the description of an option of command: its help text, or what descriptions gives
// for its first name, preceded by the subcommand words ("push force").
std::string description(const Command& command, const Entry& entry,
                        const Descriptions& descriptions);

// Returns the names an enumeration entry accepts, in order of value; none for other entries.
std::vector<std::string> value_names(const Entry& entry);

// True for an option whose name alone sets it: a boolean with an implicit value.
bool is_flag(const Entry& entry);

// Returns how a value that is not one of a list of names is shown: NUMBER, BOOLEAN, FILE or
// TEXT.
std::string placeholder(const Entry& entry);

// True for an entry whose value may name a file: any text or a path, rather than a name from a
// list, a number or a boolean.
bool takes_file_name(const Entry& entry);

// Returns the option's names as typed: -d, --data-type.
std::vector<std::string> dashed_names(const Entry& entry);

// Quotes text for bash and zsh, where nothing inside single quotes is special but the quote.
std::string quoted(const std::string& text);

// Returns each word quoted, joined by blanks: a list for a bash or zsh array.
std::string quoted_words(const std::vector<std::string>& words);

// Returns a case of the bash and zsh scripts that says how an option's value completes, when
// the option is the word before or is written --name=: a list of names, file names or nothing,
// as the next word or only after "=". The case opens with open (bash needs none, zsh "("),
// after indent; a flag has none.
std::string value_case(const Entry& entry, const std::string& indent, const std::string& open);

// Returns the name of a shell function for program: "_" followed by its name, with every
// byte other than a letter or digit made "_".
std::string function_name(const std::string& program);

} // namespace argparse
