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

// Whether file, in directory, is a regular file or a FIFO that neither the runner nor the
// directory's owner owns, in a sticky directory that the group or others may write: one that
// another user may have put there, which fs.protected_regular=2 and fs.protected_fifos=2 keep
// the shell's > from opening, whatever its links and whoever runs it.
bool planted(const struct stat& directory, const struct stat& file, uid_t runner);

// Whether the sticky bit lets a process of user runner, without CAP_FOWNER, rename another
// file over file in directory, or remove it: only where it owns the file or the directory.
bool may_replace(const struct stat& directory, const struct stat& file, uid_t runner);

} // namespace writer
