#include "file_target.hpp"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/vfs.h>
#include <system_error>

namespace cli {
namespace {

[[noreturn]] void throw_file_error(const std::string& name, int error = errno) {
    throw std::system_error(error, std::generic_category(), name);
}

// The directory part of path with its final slash, or "." for the working directory.
std::string directory_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

// The last part of path; "." where path names a directory by its final slash.
std::string leaf_of(const std::string& path) {
    const std::string leaf = path.substr(path.rfind('/') + 1);
    return leaf.empty() ? "." : leaf;
}

// Points target at path, taken relative to the directory base, through the kernel.
void aim(FileTarget& target, int base, const std::string& path, const std::string& name) {
    const std::string directory = directory_of(path);
    Descriptor opened(::openat(directory.front() == '/' ? AT_FDCWD : base, directory.c_str(),
                               O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!opened.valid()) {
        throw_file_error(name);
    }
    target.directory = std::move(opened);
    target.leaf = leaf_of(path);
}

// Opens target's leaf for writing without following a link there, flags added; false for a link.
bool open_leaf(FileTarget& target, const std::string& name, int flags) {
    target.file = Descriptor(::openat(target.directory.get(), target.leaf.c_str(),
                                      O_WRONLY | O_NOCTTY | O_CLOEXEC | flags));
    if (!target.file.valid() && errno == ENXIO && (flags & O_NONBLOCK) != 0) {
        return open_leaf(target, name, flags & ~O_NONBLOCK); // a FIFO waiting for its reader
    }
    if (!target.file.valid()) {
        if (errno == ELOOP && (flags & O_NOFOLLOW) != 0) {
            return false;
        }
        if (errno != ENOENT) {
            throw_file_error(name);
        }
        return true;
    }
    if (::fstat(target.file.get(), &target.status) != 0) {
        throw_file_error(name);
    }
    return true;
}

// Whether the kernel's rule lets the process follow a link in directory.
bool may_follow(int directory, const struct stat& link) {
    struct stat status {};
    if (::fstat(directory, &status) != 0) {
        return false;
    }
    const bool shared = (status.st_mode & (S_ISVTX | S_IWOTH)) == (S_ISVTX | S_IWOTH);
    return !shared || link.st_uid == ::geteuid() || link.st_uid == status.st_uid;
}

// Whether directory is in /proc, whose links name open files rather than paths.
bool in_proc(int directory) {
    struct statfs status {};
    return ::fstatfs(directory, &status) == 0 && status.f_type == PROC_SUPER_MAGIC;
}

// The content of the link at target's leaf, where the process may follow it.
std::string read_link(const FileTarget& target, const std::string& name) {
    const Descriptor link(
        ::openat(target.directory.get(), target.leaf.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    struct stat status {};
    if (!link.valid() || ::fstat(link.get(), &status) != 0) {
        throw_file_error(name);
    }
    if (!may_follow(target.directory.get(), status)) {
        throw_file_error(name, EACCES);
    }
    char content[PATH_MAX];
    const ssize_t length = ::readlinkat(link.get(), "", content, sizeof content);
    if (length <= 0) {
        throw_file_error(name, length == 0 ? ENOENT : errno);
    }
    return std::string(content, static_cast<std::size_t>(length));
}

} // namespace

FileTarget find_target(const std::string& name) {
    FileTarget target;
    aim(target, AT_FDCWD, name, name);
    for (int links = 0; links <= 40; ++links) {
        if (open_leaf(target, name, O_NOFOLLOW | O_NONBLOCK)) {
            return target;
        }
        const std::string link = read_link(target, name);
        if (in_proc(target.directory.get())) {
            open_leaf(target, name, 0);
            if (!target.file.valid()) {
                throw_file_error(name, ENOENT);
            }
            target.through_proc = true;
            return target;
        }
        aim(target, target.directory.get(), link, name);
    }
    throw_file_error(name, ELOOP);
}

} // namespace cli
