#pragma once

// What the programs' manual pages say beyond their declarations.

#include <argparse/man_page.hpp>

#include <string>

namespace cli {

// A program's prose, each text in roff.
struct Manual {
    const char* summary; // plain text: the NAME line after the program's name
    // In place of the help texts of TILE, WIDTH and --version, where not null.
    const char* tile;
    const char* width;
    const char* version;
    // The sections beyond those that the declarations give.
    const char* description;
    const char* exit_status;
    const char* files;
    const char* examples;
    const char* see_also;
};

extern const Manual mavrel_manual;
extern const Manual georef_manual;
extern const Manual batch_manual;

// Returns the manual page of a program of the given version: its prose, the project's authors
// and the sections in the order readers look for them.
argparse::ManPage man_page_of(const Manual& manual, const std::string& version);

} // namespace cli
