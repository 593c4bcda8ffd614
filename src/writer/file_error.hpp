#pragma once

// How the writer reports a failed call on a file.

#include <cerrno>
#include <string>
#include <system_error>

namespace writer {

// Throws the error of a failed call on a file, as "NAME: reason" with the name as the caller
// gave it; whoever prints the message makes it printable.
[[noreturn]] inline void throw_file_error(const std::string& name, int error = errno) {
    throw std::system_error(error, std::generic_category(), name);
}

} // namespace writer
