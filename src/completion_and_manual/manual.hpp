#pragma once

#include <argparse/man_page.hpp>

#include <string>

namespace cli {

// What mavrel's manual page says beyond its declarations, for the given version.
argparse::ManPage manual(const std::string& version);

// What mavrel-georef's manual page says beyond its declarations.
argparse::ManPage georef_manual(const std::string& version);

} // namespace cli
