#pragma once

#include <sys/stat.h>

namespace cli {

// Gives the new file fd the owner and group of the old file, described by old, where the
// process may set them; returns whether fd has both now. File systems that fix owners
// themselves refuse to change them, and give both files the same.
bool keep_owner(int fd, const struct stat& old);

// Gives the new file fd the permission bits of the old file old_fd, described by old, and its
// extended attributes with the ACL, so that a replacement grants nobody access the old file did
// not. Attributes that vouch for the old content (file capabilities, integrity hashes) are not
// copied. Returns false with errno set when an attribute cannot be copied.
bool keep_attributes(int fd, int old_fd, const struct stat& old);

} // namespace cli
