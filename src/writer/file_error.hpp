#pragma once

#include <argparse/printable.hpp>

#include <cerrno>
#include <string>
#include <system_error>

namespace cli {

// Throws the error of a failed call on a file, its message naming the file as the user gave it,
// on one line whatever the name holds.
[[noreturn]] inline void throw_file_error(const std::string& name, int error = errno) {
    throw std::system_error(error, std::generic_category(), argparse::printable(name));
}

} // namespace cli
