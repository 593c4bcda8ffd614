// Rewriting an existing file through its own descriptor.
#include "in_place.hpp"

#include "extended_attributes.hpp"
#include "file_error.hpp"
#include "file_io.hpp"
#include "identity.hpp"

#include <fcntl.h>
#include <unistd.h>

namespace writer {
namespace {

// Readies an open file for writing from its start: a device or FIFO opened without waiting
// now waits, and a regular file loses its set-id bits, then its old bytes.
std::error_code rewind(int fd, const struct stat& status) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        return last_error();
    }
    if (!S_ISREG(status.st_mode)) {
        return {};
    }
    if (const std::error_code error = clear_set_id(fd, status)) {
        return error;
    }
    return call_error(::ftruncate(fd, 0));
}

} // namespace

void write_in_place(FileTarget& target, const std::string& name, const void* bytes,
                    std::size_t count) {
    const int fd = target.file.get();
    const bool regular = S_ISREG(target.status.st_mode);
    std::optional<std::string> capability;
    if (regular) {
        throw_if_failed(name, read_optional_attribute(fd, capability_name, capability));
    }
    throw_if_failed(name, rewind(fd, target.status));
    throw_if_failed(name, write_all(fd, bytes, count));
    if (regular) {
        throw_if_failed(name, restore_after_rewrite(fd, target.status, capability));
    }
    throw_if_failed(name, sync_to_storage(fd));
    throw_if_failed(name, target.file.close());
}

} // namespace writer
