#pragma once

// The manual page in roff, rendered from the declarations and what a program adds.

#include <argparse/args.hpp>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace argparse {

// What a manual page says that the declarations cannot know. Texts marked roff are roff
// input, written into the page as they are; the others are plain text.
struct ManPage {
    // What the program does, in a few words: the NAME line after the program's name.
    std::string summary;
    std::string section = "1";
    std::string version;
    // The date in the page's header; when empty, the day in UTC of SOURCE_DATE_EPOCH where
    // that is set (for a reproducible build), otherwise of now, as YYYY-MM-DD.
    std::string date;
    // Roff texts that stand in place of an argument's help text where the manual says more,
    // by the argument's first name as declared ("TILE", "version"), preceded for an argument
    // of a subcommand by the subcommand's words and a blank ("push force").
    std::map<std::string, std::string> texts;
    // Further sections, title and roff text, in the order given; OPTIONS follows the one
    // titled DESCRIPTION, as is usual, or SYNOPSIS where there is none.
    std::vector<std::pair<std::string, std::string>> sections;
};

// Returns a manual page in roff for the command line that args declares, run as program:
// NAME, SYNOPSIS and OPTIONS made from the declarations, with each argument's value (the
// names of an enumeration, a placeholder such as NUMBER for others, none for a flag), its help
// text and its default, a section for each subcommand, and ENVIRONMENT for the variables that
// set_env named; and the sections of page. Throws std::invalid_argument when date is
// empty and SOURCE_DATE_EPOCH is set but is no number of seconds.
std::string man_page(const Args& args, const std::string& program, const ManPage& page);

} // namespace argparse
