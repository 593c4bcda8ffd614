#include "file_output.hpp"

#include "file_error.hpp"
#include "file_metadata.hpp"
#include "file_target.hpp"
#include "temporary_file.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cli {
namespace {

// Writes everything, resuming after partial writes and signals; returns false with errno set.
bool write_all(int fd, const void* bytes, std::size_t count) {
    auto* next = static_cast<const char*>(bytes);
    while (count > 0) {
        const ssize_t written = ::write(fd, next, count);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            errno = written == 0 ? EIO : errno;
            return false;
        }
        next += written;
        count -= static_cast<std::size_t>(written);
    }
    return true;
}

// Brings what was written to fd onto stable storage. Pipes and devices have nothing to sync,
// which fsync says with EINVAL or EROFS; from a file or a directory any error is a failure.
bool sync_to_storage(int fd) {
    if (::fsync(fd) == 0) {
        return true;
    }
    const int error = errno;
    struct stat status {};
    const bool nothing_to_sync = (error == EINVAL || error == EROFS) && ::fstat(fd, &status) == 0 &&
                                 !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode);
    errno = error;
    return nothing_to_sync;
}

// Brings a new name in directory onto stable storage: through the directory where it may be
// opened for reading, else by syncing the file system that holds the named file.
bool sync_name(int directory, int file) {
    Descriptor opened(::openat(directory, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!opened.valid()) {
        return errno == EACCES && ::syncfs(file) == 0;
    }
    return sync_to_storage(opened.get()) && opened.close();
}

// Readies an open file for writing from its start: a device or FIFO opened without waiting
// now waits, and a regular file loses its old bytes.
bool rewind(int fd, const struct stat& status) {
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0 &&
           (!S_ISREG(status.st_mode) || ::ftruncate(fd, 0) == 0);
}

void write_in_place(FileTarget& target, const std::string& name, const void* bytes,
                    std::size_t count) {
    const int fd = target.file.get();
    if (!rewind(fd, target.status) || !write_all(fd, bytes, count) || !sync_to_storage(fd) ||
        !target.file.close()) {
        throw_file_error(name);
    }
}

// Where the directory or its sticky bit keeps us from replacing a file we may write, or the
// old file is a mount point of its own.
bool refused(int error) {
    return error == EACCES || error == EPERM || error == EBUSY;
}

// How the kernel refuses to link an unnamed file by its descriptor (before Linux 6.10, without
// the privilege in the initial user namespace).
bool link_refused(int error) {
    return error == ENOENT || error == EPERM || error == EACCES;
}

enum class Replacement { done, refused, link_refused };

// Gives the complete temporary file the target's name and brings that name to stable storage;
// says what kept it from doing so where another way may succeed.
Replacement take_name(TemporaryFile& temporary, const FileTarget& target, bool named,
                      const std::string& name) {
    if (!temporary.link()) {
        if (!named && link_refused(errno)) {
            return Replacement::link_refused;
        }
        throw_file_error(name);
    }
    if (!temporary.take_name(target.leaf)) {
        if (target.file.valid() && refused(errno)) {
            return Replacement::refused;
        }
        throw_file_error(name);
    }
    if (!sync_name(target.directory.get(), temporary.descriptor()) || !temporary.close()) {
        throw_file_error(name);
    }
    return Replacement::done;
}

// Writes a new file beside the target, unnamed unless named, with the old file's identity, and
// renames it over the target once every byte reached stable storage.
Replacement replace(const FileTarget& target, bool named, const std::string& name,
                    const void* bytes, std::size_t count) {
    TemporaryFile temporary(target.directory.get(), named);
    const int fd = temporary.descriptor();
    const bool exists = target.file.valid();
    if (exists && (fd < 0 ? refused(errno) : !keep_owner(fd, target.status))) {
        return Replacement::refused; // in place, the old file keeps its owner, group and ACL
    }
    if (fd < 0 || (exists && !keep_attributes(fd, target.file.get(), target.status)) ||
        !write_all(fd, bytes, count) || !sync_to_storage(fd)) {
        throw_file_error(name);
    }
    return take_name(temporary, target, named, name);
}

} // namespace

void write_file(const std::string& name, const void* bytes, std::size_t count) {
    if (name.empty()) {
        throw_file_error("\"\"", ENOENT);
    }
    FileTarget target = find_target(name);
    if (target.through_proc || (target.file.valid() && !S_ISREG(target.status.st_mode))) {
        return write_in_place(target, name, bytes, count);
    }
    Replacement replacement = replace(target, false, name, bytes, count);
    if (replacement == Replacement::link_refused) {
        replacement = replace(target, true, name, bytes, count); // the bytes are written again
    }
    if (replacement == Replacement::refused) {
        write_in_place(target, name, bytes, count);
    }
}

} // namespace cli
