#include "file_metadata.hpp"

#include <cerrno>
#include <cstring>
#include <string>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace cli {
namespace {

constexpr const char* access_acl = "system.posix_acl_access";

// Attributes that new content invalidates: the kernel or the integrity subsystem would drop
// or refuse them.
bool vouches_for_content(const std::string& name) {
    return name == "security.capability" || name == "security.ima" || name == "security.evm";
}

// The bytes that call(buffer, size) fills, asking it first how many there are; false with
// errno set when it fails.
template <typename Call> bool read_sized(std::string& bytes, Call call) {
    const ssize_t size = call(nullptr, 0);
    if (size < 0) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size));
    const ssize_t read = call(bytes.data(), bytes.size());
    bytes.resize(read < 0 ? 0 : static_cast<std::size_t>(read));
    return read >= 0;
}

// The names of old_fd's extended attributes; false with errno set when they cannot be listed.
bool attribute_names(int old_fd, std::vector<std::string>& names) {
    std::string list;
    if (!read_sized(list, [&](char* buffer, std::size_t size) {
            return ::flistxattr(old_fd, buffer, size);
        })) {
        return false;
    }
    for (const char* name = list.data(); name < list.data() + list.size();
         name += std::strlen(name) + 1) {
        names.emplace_back(name);
    }
    return true;
}

bool copy_attribute(int old_fd, int fd, const std::string& name) {
    std::string value;
    return read_sized(value,
                      [&](char* buffer, std::size_t size) {
                          return ::fgetxattr(old_fd, name.c_str(), buffer, size);
                      }) &&
           ::fsetxattr(fd, name.c_str(), value.data(), value.size(), 0) == 0;
}

// Copies the extended attributes of old_fd to fd. An access ACL that the new file inherited
// from its directory's default ACL goes when the old file has none.
bool copy_attributes(int old_fd, int fd) {
    std::vector<std::string> names;
    if (!attribute_names(old_fd, names)) {
        return errno == ENOTSUP; // a file system without attributes: nothing to copy
    }
    bool has_acl = false;
    for (const std::string& name : names) {
        has_acl = has_acl || name == access_acl;
        if (!vouches_for_content(name) && !copy_attribute(old_fd, fd, name)) {
            return false;
        }
    }
    return has_acl || ::fremovexattr(fd, access_acl) == 0 || errno == ENODATA || errno == ENOTSUP;
}

} // namespace

bool keep_owner(int fd, const struct stat& old) {
    // Root may give the file any owner; its owner, any group of which the owner is a member.
    static_cast<void>(::fchown(fd, old.st_uid, old.st_gid));
    struct stat now {};
    return ::fstat(fd, &now) == 0 && now.st_uid == old.st_uid && now.st_gid == old.st_gid;
}

bool keep_attributes(int fd, int old_fd, const struct stat& old) {
    static_cast<void>(::fchmod(fd, old.st_mode & 07777)); // after fchown, which clears set-id bits
    return copy_attributes(old_fd, fd);
}

} // namespace cli
