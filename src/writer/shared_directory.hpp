#pragma once

// The rules by which the kernel protects the users of a shared (sticky) directory from each
// other, applied by the writer whatever the machine's fs.protected_* settings say.

#include <sys/stat.h>
#include <sys/types.h>

namespace writer {

// Whether a process of user runner may follow the link whose status is link, in the directory
// whose status is directory: in a sticky, world-writable directory only a link that the runner
// or the directory's owner owns (fs.protected_symlinks).
bool may_follow(const struct stat& directory, const struct stat& link, uid_t runner);

// Whether file, in directory, is a FIFO or a file of several links that a user other than the
// runner and the directory's owner put into a sticky directory that others may write, as
// fs.protected_fifos and fs.protected_regular refuse to open them for creating.
bool planted(const struct stat& directory, const struct stat& file, uid_t runner);

} // namespace writer
