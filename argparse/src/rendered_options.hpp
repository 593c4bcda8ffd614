#pragma once

// What the renderings show of an option: its names, its value, its description.

#include "command_tree.hpp"

#include <argparse/args.hpp>
#include <argparse/completion.hpp>

#include <memory>
#include <string>
#include <vector>

namespace argparse {

// Returns the option entries of a command in declaration order, and last the help option that
// parse declares, so that a rendering made before parsing shows that option too.
std::vector<std::shared_ptr<Entry>> options_of(const Command& command);

// Returns the key by which a program's texts stand for an argument of command's: its first name,
// preceded by the subcommand words and a blank ("push force") for a subcommand's.
std::string text_key(const Command& command, const Entry& entry);

// Returns the description of an option of command: its help text, or what descriptions gives
// for it by its text_key.
std::string description(const Command& command, const Entry& entry,
                        const Descriptions& descriptions);

// Returns the names an enumeration entry accepts, in order of value; none for other entries.
std::vector<std::string> value_names(const Entry& entry);

// True for an option whose name alone sets it: a boolean with an implicit value, or a count.
bool is_flag(const Entry& entry);

// Returns how a value that is not one of a list of names is shown: NUMBER, BOOLEAN, FILE or
// TEXT.
std::string placeholder(const Entry& entry);

// True for an entry whose value may name a file: any text or a path, rather than a name from a
// list, a number or a boolean.
bool takes_file_name(const Entry& entry);

// Returns the option's names as typed: -d, --data-type.
std::vector<std::string> dashed_names(const Entry& entry);

} // namespace argparse
