#include "file_metadata.hpp"

#include <cerrno>
#include <cstring>
#include <sys/xattr.h>
#include <unistd.h>

namespace cli {
namespace {

constexpr const char* access_acl = "system.posix_acl_access";

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

// Copies every extended attribute of path to fd. An access ACL that the new file inherited
// from its directory's default ACL goes when the old file has none.
bool copy_attributes(const std::string& path, int fd) {
    std::string names;
    if (!read_sized(names, [&](char* buffer, std::size_t size) {
            return ::listxattr(path.c_str(), buffer, size);
        })) {
        return errno == ENOTSUP; // a file system without attributes: nothing to copy
    }
    if (names.find(std::string(access_acl) + '\0') == std::string::npos &&
        ::fremovexattr(fd, access_acl) != 0 && errno != ENODATA && errno != ENOTSUP) {
        return false;
    }
    std::string value;
    for (const char* name = names.data(); name < names.data() + names.size();
         name += std::strlen(name) + 1) {
        if (!read_sized(value,
                        [&](char* buffer, std::size_t size) {
                            return ::getxattr(path.c_str(), name, buffer, size);
                        }) ||
            ::fsetxattr(fd, name, value.data(), value.size(), 0) != 0) {
            return false;
        }
    }
    return true;
}

} // namespace

bool keep_metadata(int fd, const std::string& path, const struct stat& old) {
    // Root may give the file any owner; a member of the old group may still give it that.
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
        static_cast<void>(::fchown(fd, static_cast<uid_t>(-1), old.st_gid));
    }
    static_cast<void>(::fchmod(fd, old.st_mode & 07777)); // after fchown, which clears set-id bits
    return copy_attributes(path, fd);
}

} // namespace cli
