#pragma once

// Names of files as the kernel reads them: their limits, and their directory and last part.

#include <string>

namespace writer {

// Throws std::system_error naming name where the kernel would refuse it: empty (ENOENT),
// PATH_MAX bytes or longer, or with an entry longer than NAME_MAX (ENAMETOOLONG).
void check_name(const std::string& name);

// Returns the directory part of path with its final slash, or "." for the working directory.
std::string directory_of(const std::string& path);

// Returns the last part of path; "." where path names a directory by its final slash.
std::string leaf_of(const std::string& path);

} // namespace writer
