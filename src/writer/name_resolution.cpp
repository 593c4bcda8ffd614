// Resolving a name to the file it refers to, one entry and one link at a time, under the rules
// by which the kernel protects shared directories.
#include "name_resolution.hpp"

#include "file_error.hpp"
#include "names.hpp"
#include "shared_directory.hpp"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace writer {
namespace {

void refuse_planted(const FileTarget& target, const std::string& name, const struct stat& file) {
    struct stat directory {};
    if (::fstat(target.directory.get(), &directory) != 0) {
        throw_last_error(name);
    }
    if (planted(directory, file, ::geteuid())) {
        throw_file_error(name, error_of(EACCES));
    }
}

// Opens target's leaf for writing without following a link there, flags added; false for a link.
bool open_leaf(FileTarget& target, const std::string& name, int flags) {
    target.file = Descriptor(::openat(target.directory.get(), target.leaf.c_str(),
                                      O_WRONLY | O_NOCTTY | O_CLOEXEC | flags));
    const std::error_code error = call_error(target.file.get());
    if (error.value() == ENXIO && (flags & O_NONBLOCK) != 0) {
        // A FIFO without a reader: wait for one, unless it was planted.
        struct stat fifo {};
        if (::fstatat(target.directory.get(), target.leaf.c_str(), &fifo, AT_SYMLINK_NOFOLLOW) !=
            0) {
            throw_last_error(name);
        }
        refuse_planted(target, name, fifo);
        return open_leaf(target, name, flags & ~O_NONBLOCK);
    }
    if (error.value() == ELOOP && (flags & O_NOFOLLOW) != 0) {
        return false;
    }
    if (error) {
        throw_if_failed(name, except(error, {ENOENT}));
        return true;
    }
    if (::fstat(target.file.get(), &target.status) != 0) {
        throw_last_error(name);
    }
    refuse_planted(target, name, target.status);
    return true;
}

// Walks a name one entry at a time through directory descriptors, following at most 40
// links, each only where may_follow allows.
class Walk {
public:
    explicit Walk(const std::string& name) : name(name) {}

    // Opens the directory part of path, taken from the directory base.
    Descriptor directory(int base, const std::string& path) {
        Descriptor current = opened(base, path.front() == '/' ? "/" : ".", directory_flags);
        for (std::size_t start = 0; start < path.size();) {
            const std::size_t end = std::min(path.find('/', start), path.size());
            const std::string entry = path.substr(start, end - start);
            start = end + 1;
            if (!entry.empty() && entry != ".") {
                current = step(current.get(), entry);
            }
        }
        return current;
    }

    // Sets content to that of the link entry in directory; false where entry is no link.
    bool read_link(int directory, const std::string& entry, std::string& content) {
        const Descriptor link(::openat(directory, entry.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        struct stat status {};
        if (!link.valid()) {
            return false; // opening the entry itself says why
        }
        if (::fstat(link.get(), &status) != 0) {
            fail(last_error());
        }
        if (!S_ISLNK(status.st_mode)) {
            return false;
        }
        if (++links > 40 || !may_follow_in(directory, status)) {
            fail(error_of(links > 40 ? ELOOP : EACCES));
        }
        char buffer[PATH_MAX];
        const ssize_t length = ::readlinkat(link.get(), "", buffer, sizeof buffer);
        if (length <= 0) {
            fail(length == 0 ? error_of(ENOENT) : last_error());
        }
        content.assign(buffer, static_cast<std::size_t>(length));
        return true;
    }

    // Whether directory is in /proc, whose links name open files rather than paths.
    bool in_proc(int directory) const {
        struct statfs status {};
        if (::fstatfs(directory, &status) != 0) {
            fail(last_error());
        }
        return status.f_type == PROC_SUPER_MAGIC;
    }

    [[noreturn]] void fail(std::error_code error) const { throw_file_error(name, error); }

private:
    static constexpr int directory_flags = O_PATH | O_DIRECTORY | O_CLOEXEC;
    const std::string& name;
    int links = 0;

    Descriptor opened(int directory, const std::string& entry, int flags) const {
        Descriptor file(::openat(directory, entry.c_str(), flags));
        if (!file.valid()) {
            fail(last_error());
        }
        return file;
    }

    // Opens entry of directory, following a link there.
    Descriptor step(int directory, const std::string& entry) {
        std::string link;
        if (!read_link(directory, entry, link)) {
            return opened(directory, entry, O_PATH | O_NOFOLLOW | O_CLOEXEC);
        }
        if (in_proc(directory)) {
            return opened(directory, entry, directory_flags);
        }
        return this->directory(directory, link + "/");
    }

    // Whether the kernel's rule lets the process follow a link in directory.
    bool may_follow_in(int directory, const struct stat& link) const {
        struct stat status {};
        if (::fstat(directory, &status) != 0) {
            fail(last_error());
        }
        return may_follow(status, link, ::geteuid());
    }
};

} // namespace

FileTarget find_target(const std::string& name) {
    Walk walk(name);
    FileTarget target;
    target.directory = walk.directory(AT_FDCWD, directory_of(name));
    target.leaf = leaf_of(name);
    std::string link;
    while (!open_leaf(target, name, O_NOFOLLOW | O_NONBLOCK)) {
        if (!walk.read_link(target.directory.get(), target.leaf, link)) {
            walk.fail(error_of(ELOOP));
        }
        if (walk.in_proc(target.directory.get())) {
            open_leaf(target, name, 0);
            if (!target.file.valid()) {
                walk.fail(error_of(ENOENT));
            }
            target.through_proc = true;
            return target;
        }
        target.directory = walk.directory(target.directory.get(), directory_of(link));
        target.leaf = leaf_of(link);
    }
    return target;
}

Descriptor find_directory(const std::string& path) {
    return Walk(path).directory(AT_FDCWD, path + "/");
}

} // namespace writer
