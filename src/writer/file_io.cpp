// The calls that bring bytes and names to stable storage.
#include "file_io.hpp"

#include "descriptor.hpp"
#include "file_error.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace writer {
namespace {

// Opens directory for reading, which a directory that may not be read, or the file system,
// refuses.
std::error_code open_to_read(int directory, Descriptor& opened) {
    opened = Descriptor(::openat(directory, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return call_error(opened.get());
}

} // namespace

std::error_code write_all(int fd, const void* bytes, std::size_t count) {
    auto* next = static_cast<const char*>(bytes);
    while (count > 0) {
        const ssize_t written = ::write(fd, next, count);
        const std::error_code error = written == 0 ? error_of(EIO) : call_error(written);
        if (error.value() == EINTR) {
            continue;
        }
        if (error) {
            return error;
        }
        next += written;
        count -= static_cast<std::size_t>(written);
    }
    return {};
}

std::error_code sync_to_storage(int fd) {
    const std::error_code error = call_error(::fsync(fd));
    if (error.value() != EINVAL && error.value() != EROFS) {
        return error;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        return last_error();
    }
    return S_ISREG(status.st_mode) || S_ISDIR(status.st_mode) ? error : std::error_code();
}

// Through the directory where it may be opened for reading, else by syncing the file system
// that holds the named file. A shut down XFS answers a directory's fsync with success, but
// refuses to open anything: so the directory is opened once more after its sync, which costs
// no I/O (a second fsync of the file would flush the disk's cache again).
std::error_code sync_name(int directory, int file) {
    Descriptor opened;
    const std::error_code error = open_to_read(directory, opened);
    if (error.value() == EACCES) {
        return call_error(::syncfs(file));
    }
    if (error) {
        return error;
    }
    if (const std::error_code failed = sync_to_storage(opened.get())) {
        return failed;
    }
    if (const std::error_code failed = opened.close()) {
        return failed;
    }
    return open_to_read(directory, opened);
}

} // namespace writer
