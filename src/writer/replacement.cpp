// Replacing a file by a complete new one written beside it, which takes the old one's name
// and identity only once every byte is on stable storage.
#include "replacement.hpp"

#include "extended_attributes.hpp"
#include "file_error.hpp"
#include "file_io.hpp"
#include "temporary_file.hpp"

#include <cerrno>

namespace writer {
namespace {

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

} // namespace

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

} // namespace writer
