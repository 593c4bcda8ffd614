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
// now waits, and a regular file loses its old bytes.
bool rewind(int fd, const struct stat& status) {
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0 &&
           (!S_ISREG(status.st_mode) || ::ftruncate(fd, 0) == 0);
}

} // namespace

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

} // namespace writer
