#pragma once

// What a file has besides its bytes, and how a replacement or a rewrite in place keeps it.

#include <optional>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <utility>
#include <vector>

namespace writer {

// What an old file has besides its bytes, read through its own descriptor before anything is
// written, so that nobody can swap the name in between.
struct Identity {
    struct stat status {};
    // Every extended attribute that the process can see, but the ACL, the file capability and
    // the integrity hashes, which new content voids.
    std::vector<std::pair<std::string, std::string>> attributes;
    std::optional<std::string> acl;
    std::optional<std::string> capability;
    int flags = 0; // the chattr flags that are kept
};

// Whether an error of the calls below means that the process may not keep this identity (not
// the owner, not in the group, an attribute it may not read or set), so that the old file is
// rather rewritten in place; any other error fails the write.
bool may_not_keep(std::error_code error);

// Reads the identity of the regular file old_fd, whose status is status. A file system without
// chattr flags or attributes has none to read; any other failure is an error.
std::error_code read_identity(int old_fd, const struct stat& status, Identity& identity);

// Gives the new file fd the old file's owner and group, its attributes and its chattr flags,
// before anything is written. A file system that fixes owners itself fails with EPERM.
std::error_code keep_before_writing(int fd, const Identity& identity);

// Gives fd the permission bits of mode, set-id bits included, and the access ACL acl, or none.
std::error_code give_permissions(int fd, mode_t mode, const std::optional<std::string>& acl);

// Gives the written file fd the old file's ACL and mode, set-id bits included, and its file
// capability, as the last write has cleared them. A runner that may not set a capability
// (CAP_SETFCAP) leaves the file without it, as any write of the file would.
std::error_code keep_after_writing(int fd, const Identity& identity);

// Takes the set-id bits off a file of status about to be rewritten in place, so that its name
// never gives them to bytes that are not yet the new content. Where the runner may not change
// the mode, its writes take them off.
std::error_code clear_set_id(int fd, const struct stat& status);

// Gives a file rewritten in place back what the write has cleared: its set-id bits and its
// file capability, where the process may set them. capability is what the file had before.
std::error_code restore_after_rewrite(int fd, const struct stat& status,
                                      const std::optional<std::string>& capability);

} // namespace writer
