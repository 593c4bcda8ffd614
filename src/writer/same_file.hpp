#pragma once

// Whether a name in a directory is a file that the process holds open.

#include <string>
#include <sys/stat.h>
#include <system_error>

namespace writer {

bool same_file(const struct stat& a, const struct stat& b);

// None where name in directory is the file open as fd (the same device and inode), ESTALE
// where it is another file, or the error that kept either from being looked at.
std::error_code names_file(int directory, const std::string& name, int fd);

} // namespace writer
