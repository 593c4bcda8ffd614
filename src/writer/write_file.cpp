// Writing a file so that success means its bytes and its name are on stable storage, and
// failure leaves any old file as it was.
#include "file_output.hpp"

#include "file_error.hpp"
#include "file_metadata.hpp"
#include "file_target.hpp"
#include "remove_on_signal.hpp"
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

// Opens directory for reading; -1 with errno set where it may not be read, or the file system
// refuses.
Descriptor open_to_read(int directory) {
    return Descriptor(::openat(directory, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

// Brings a new name in directory onto stable storage: through the directory where it may be
// opened for reading, else by syncing the file system that holds the named file. A shut down
// XFS answers a directory's fsync with success, but refuses to open anything: so the
// directory is opened once more after its sync, which costs no I/O (a second fsync of the
// file would flush the disk's cache again).
bool sync_name(int directory, int file) {
    Descriptor opened = open_to_read(directory);
    if (!opened.valid()) {
        return errno == EACCES && ::syncfs(file) == 0;
    }
    return sync_to_storage(opened.get()) && opened.close() && open_to_read(directory).valid();
}

// Readies an open file for writing from its start: a device or FIFO opened without waiting
// now waits, and a regular file loses its old bytes.
bool rewind(int fd, const struct stat& status) {
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0 &&
           (!S_ISREG(status.st_mode) || ::ftruncate(fd, 0) == 0);
}

// Writes the existing file itself; a regular file gets back what the write cleared.
void write_in_place(FileTarget& target, const std::string& name, const void* bytes,
                    std::size_t count) {
    const int fd = target.file.get();
    const bool regular = S_ISREG(target.status.st_mode);
    const auto capability = regular ? capability_of(fd) : std::nullopt;
    if (!rewind(fd, target.status) || !write_all(fd, bytes, count)) {
        throw_file_error(name);
    }
    if (regular) {
        restore_after_rewrite(fd, target.status, capability);
    }
    if (!sync_to_storage(fd) || !target.file.close()) {
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

// A directory that is append-only or immutable (chattr +a, +i) lets no file be replaced, nor
// a temporary file be removed: nothing is written there.
void refuse_fixed_directory(int directory, const std::string& name) {
    struct statx status {};
    constexpr auto fixed = STATX_ATTR_APPEND | STATX_ATTR_IMMUTABLE;
    if (::statx(directory, "", AT_EMPTY_PATH, STATX_BASIC_STATS, &status) == 0 &&
        (status.stx_attributes & status.stx_attributes_mask & fixed) != 0) {
        throw_file_error(name, EPERM);
    }
}

enum class Replacement { done, refused, link_refused };

// Gives the complete temporary file the target's name and brings that name to stable storage;
// says what kept it from doing so where another way may succeed.
Replacement take_name(TemporaryFile& temporary, const FileTarget& target, const std::string& name) {
    switch (temporary.take_name()) {
    case TemporaryFile::Naming::link_failed:
        if (!temporary.named() && link_refused(errno)) {
            return Replacement::link_refused;
        }
        throw_file_error(name);
    case TemporaryFile::Naming::rename_failed:
        if (target.file.valid() && refused(errno)) {
            return Replacement::refused;
        }
        throw_file_error(name);
    case TemporaryFile::Naming::done:
        break;
    }
    if (!sync_name(target.directory.get(), temporary.descriptor()) || !temporary.close()) {
        throw_file_error(name);
    }
    return Replacement::done;
}

// Where the old file's identity cannot be kept, it is rather rewritten in place.
Replacement refused_or_fail(bool exists, const std::string& name) {
    if (exists && may_not_keep(errno)) {
        return Replacement::refused;
    }
    throw_file_error(name);
}

// Gives a new file that was made private the permissions that a plain open would have given
// it, copied from an empty file made so beside it.
bool give_plain_permissions(const TemporaryFile& temporary) {
    const Descriptor plain = temporary.plain_sibling();
    struct stat status {};
    return plain.valid() && ::fstat(plain.get(), &status) == 0 &&
           (give_permissions(temporary.descriptor(), status.st_mode, acl_of(plain.get())) ||
            errno == EPERM); // a file system that keeps no modes leaves the file private
}

// Writes a new file beside the target, unnamed unless named, with the old file's identity
// (identity is null where there is no old file), and renames it over the target once every
// byte reached stable storage.
Replacement replace(const FileTarget& target, const Identity* identity, bool named,
                    const std::string& name, const void* bytes, std::size_t count) {
    TemporaryFile temporary(target.directory.get(), target.leaf, named);
    const int fd = temporary.descriptor();
    const bool exists = identity != nullptr;
    if (fd < 0) {
        if (exists && refused(errno)) {
            return Replacement::refused;
        }
        throw_file_error(name);
    }
    if (exists && !keep_before_writing(fd, *identity)) {
        return refused_or_fail(exists, name);
    }
    if (!write_all(fd, bytes, count)) {
        throw_file_error(name);
    }
    // A named file was private while it was written; now it gets its permissions.
    const bool permitted = exists ? keep_after_writing(fd, *identity)
                                  : !temporary.named() || give_plain_permissions(temporary);
    if (!permitted) {
        return refused_or_fail(exists, name);
    }
    if (!sync_to_storage(fd)) {
        throw_file_error(name);
    }
    return take_name(temporary, target, name);
}

} // namespace

void write_file(const std::string& name, const void* bytes, std::size_t count) {
    check_name(name);
    handle_signals_while_writing();
    FileTarget target = find_target(name);
    if (target.through_proc || (target.file.valid() && !S_ISREG(target.status.st_mode))) {
        return write_in_place(target, name, bytes, count);
    }
    refuse_fixed_directory(target.directory.get(), name);
    Identity identity;
    if (target.file.valid() && !read_identity(target.file.get(), target.status, identity)) {
        if (!may_not_keep(errno)) {
            throw_file_error(name);
        }
        return write_in_place(target, name, bytes, count);
    }
    const Identity* old = target.file.valid() ? &identity : nullptr;
    Replacement replacement = replace(target, old, false, name, bytes, count);
    if (replacement == Replacement::link_refused) {
        replacement = replace(target, old, true, name, bytes, count); // the bytes are written again
    }
    if (replacement == Replacement::refused) {
        write_in_place(target, name, bytes, count);
    }
}

} // namespace cli
