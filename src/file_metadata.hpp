#pragma once

#include <string>
#include <sys/stat.h>

namespace cli {

// Gives the new file fd what the file at path, described by old, has besides its bytes: owner
// and group where the process may set them, permission bits, and the extended attributes with
// the ACL, so that a replacement grants nobody access the old file did not. Returns false
// with errno set when an attribute cannot be copied. File systems that fix owners and modes
// themselves refuse to change them, which is no failure.
bool keep_metadata(int fd, const std::string& path, const struct stat& old);

} // namespace cli
