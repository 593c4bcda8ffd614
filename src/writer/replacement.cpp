// Writing the new file of a replacement beside the old one: complete, with the old one's
// identity, on stable storage and under a name of its own before it may take the old one's.
#include "replacement.hpp"

#include "extended_attributes.hpp"
#include "file_error.hpp"
#include "file_io.hpp"

namespace writer {
namespace {

// Where the directory or its sticky bit keeps us from replacing a file we may write.
bool refused(std::error_code error) {
    return error.value() == EACCES || error.value() == EPERM;
}

// How the kernel refuses to link an unnamed file by its descriptor (before Linux 6.10, without
// the privilege in the initial user namespace).
bool link_refused(std::error_code error) {
    return error.value() == ENOENT || error.value() == EPERM || error.value() == EACCES;
}

enum class Written { done, refused, link_refused };

// Where the old file's identity cannot be kept, it is rather rewritten in place.
Written refused_or_fail(bool exists, std::error_code error, const std::string& name) {
    if (!exists || !may_not_keep(error)) {
        throw_file_error(name, error);
    }
    return Written::refused;
}

// Gives a new file that was made private the permissions that a plain open would have given
// it, copied from an empty file made so beside it.
std::error_code give_plain_permissions(const TemporaryFile& temporary) {
    Descriptor plain;
    struct stat status {};
    std::optional<std::string> acl;
    if (const std::error_code error = temporary.plain_sibling(plain)) {
        return error;
    }
    if (::fstat(plain.get(), &status) != 0) {
        return last_error();
    }
    if (const std::error_code error = read_optional_attribute(plain.get(), access_acl, acl)) {
        return error;
    }
    // A file system that keeps no modes leaves the file private.
    return except(give_permissions(temporary.descriptor(), status.st_mode, acl), {EPERM});
}

// The permissions of the complete file: the old file's, or where there is none, those of a
// plain open for a file that was made private.
std::error_code give_final_permissions(const TemporaryFile& temporary, const Identity* identity) {
    if (identity != nullptr) {
        return keep_after_writing(temporary.descriptor(), *identity);
    }
    return temporary.named() ? give_plain_permissions(temporary) : std::error_code();
}

Written write_temporary(TemporaryFile& temporary, const Identity* identity, bool named,
                        const std::string& name, const void* bytes, std::size_t count) {
    if (const std::error_code error = temporary.open(named)) {
        if (identity != nullptr && refused(error)) {
            return Written::refused;
        }
        throw_file_error(name, error);
    }
    const int fd = temporary.descriptor();
    if (identity != nullptr) {
        if (const std::error_code error = keep_before_writing(fd, *identity)) {
            return refused_or_fail(true, error, name);
        }
    }
    throw_if_failed(name, write_all(fd, bytes, count));
    // A named file was private while it was written; now it gets its permissions.
    if (const std::error_code error = give_final_permissions(temporary, identity)) {
        return refused_or_fail(identity != nullptr, error, name);
    }
    throw_if_failed(name, sync_to_storage(fd));
    const std::error_code error = temporary.link();
    if (error && !temporary.named() && link_refused(error)) {
        return Written::link_refused;
    }
    throw_if_failed(name, error);
    return Written::done;
}

} // namespace

std::unique_ptr<TemporaryFile> write_beside(const FileTarget& target, const Identity* identity,
                                            const std::string& name, const void* bytes,
                                            std::size_t count) {
    auto temporary = std::make_unique<TemporaryFile>(target.directory.get(), target.leaf);
    Written written = write_temporary(*temporary, identity, false, name, bytes, count);
    if (written == Written::link_refused) { // the bytes are written again, into a named file
        temporary = std::make_unique<TemporaryFile>(target.directory.get(), target.leaf);
        written = write_temporary(*temporary, identity, true, name, bytes, count);
    }
    return written == Written::done ? std::move(temporary) : nullptr;
}

} // namespace writer
