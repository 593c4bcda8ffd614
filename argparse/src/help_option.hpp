#pragma once

// The option that parse declares last on every command line: a flag, -? or --help.
namespace argparse {

constexpr const char* help_option_keys = "?,help";
constexpr const char* help_option_text = "print help";

} // namespace argparse
