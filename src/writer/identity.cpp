// What a file has besides its bytes (owner, group, mode, ACL, extended attributes, chattr
// flags): read from an old file, and given to the file that replaces it.
#include "identity.hpp"

#include "extended_attributes.hpp"
#include "file_error.hpp"

#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace writer {
namespace {

// Flags that the owner may set and that say how to store the file, not what it may do.
constexpr int kept_flags =
    FS_SYNC_FL | FS_NODUMP_FL | FS_NOATIME_FL | FS_COMPR_FL | FS_NOCOMP_FL | FS_NOCOW_FL;
constexpr mode_t set_id = S_ISUID | S_ISGID;

// Integrity hashes of the old content, which the kernel or the integrity subsystem would drop
// or refuse on new content.
bool vouches_for_content(const std::string& name) {
    return name == "security.ima" || name == "security.evm";
}

std::error_code read_attributes(int fd, Identity& identity) {
    std::vector<std::string> names;
    if (const std::error_code error = attribute_names(fd, names)) {
        return error;
    }
    for (const std::string& name : names) {
        std::optional<std::string> value;
        if (vouches_for_content(name)) {
            continue;
        }
        // One removed since it was listed is gone.
        if (const std::error_code error = read_optional_attribute(fd, name, value)) {
            return error;
        }
        if (!value) {
            continue;
        }
        if (name == access_acl) {
            identity.acl = value;
        } else if (name == capability_name) {
            identity.capability = value;
        } else {
            identity.attributes.emplace_back(name, *value);
        }
    }
    return {};
}

// Sets flags to fd's chattr flags: none where the file system has no such flags.
std::error_code read_flags(int fd, int& flags) {
    flags = 0;
    return except(call_error(::ioctl(fd, FS_IOC_GETFLAGS, &flags)), {ENOTTY, EOPNOTSUPP});
}

std::error_code keep_owner(int fd, const struct stat& old) {
    struct stat now {};
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 || ::fstat(fd, &now) != 0) {
        return last_error();
    }
    return now.st_uid == old.st_uid && now.st_gid == old.st_gid ? std::error_code()
                                                                : error_of(EPERM);
}

std::error_code keep_flags(int fd, int kept) {
    if (kept == 0) {
        return {};
    }
    int flags = 0;
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) != 0) {
        return last_error();
    }
    flags = (flags & ~kept_flags) | kept;
    return call_error(::ioctl(fd, FS_IOC_SETFLAGS, &flags));
}

// An access ACL goes where the old file had none, as the new file may have inherited one from
// its directory's default ACL.
std::error_code keep_acl(int fd, const std::optional<std::string>& acl) {
    if (acl) {
        return set_attribute(fd, access_acl, *acl);
    }
    return except(call_error(::fremovexattr(fd, access_acl)), {ENODATA, ENOTSUP});
}

// A file capability needs CAP_SETFCAP: without it the file loses it, as any write would.
std::error_code give_capability(int fd, const std::optional<std::string>& capability) {
    return capability ? except(set_attribute(fd, capability_name, *capability), {EPERM})
                      : std::error_code();
}

} // namespace

bool may_not_keep(std::error_code error) {
    const int value = error.value();
    return value == EPERM || value == EACCES || value == EINVAL || value == EOPNOTSUPP ||
           value == ENOTTY;
}

std::error_code read_identity(int old_fd, const struct stat& status, Identity& identity) {
    identity.status = status;
    if (const std::error_code error = read_flags(old_fd, identity.flags)) {
        return error;
    }
    identity.flags &= kept_flags;
    return read_attributes(old_fd, identity);
}

std::error_code keep_before_writing(int fd, const Identity& identity) {
    if (const std::error_code error = keep_owner(fd, identity.status)) {
        return error;
    }
    if (const std::error_code error = keep_flags(fd, identity.flags)) {
        return error;
    }
    for (const auto& [name, value] : identity.attributes) {
        if (const std::error_code error = set_attribute(fd, name, value)) {
            return error;
        }
    }
    return {};
}

std::error_code give_permissions(int fd, mode_t mode, const std::optional<std::string>& acl) {
    // The mode after the ACL, whose mask the mode's group bits are, and after fchown, which
    // clears set-id bits.
    if (const std::error_code error = keep_acl(fd, acl)) {
        return error;
    }
    return call_error(::fchmod(fd, mode & 07777));
}

std::error_code keep_after_writing(int fd, const Identity& identity) {
    if (const std::error_code error = give_permissions(fd, identity.status.st_mode, identity.acl)) {
        return error;
    }
    return give_capability(fd, identity.capability);
}

std::error_code clear_set_id(int fd, const struct stat& status) {
    if ((status.st_mode & set_id) == 0) {
        return {};
    }
    return except(call_error(::fchmod(fd, status.st_mode & 07777 & ~set_id)), {EPERM});
}

std::error_code restore_after_rewrite(int fd, const struct stat& status,
                                      const std::optional<std::string>& capability) {
    if ((status.st_mode & set_id) != 0) {
        if (const std::error_code error =
                except(call_error(::fchmod(fd, status.st_mode & 07777)), {EPERM})) {
            return error;
        }
    }
    return give_capability(fd, capability);
}

} // namespace writer
