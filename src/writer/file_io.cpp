// The calls that bring bytes and names to stable storage.
#include "file_io.hpp"

#include "descriptor.hpp"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace writer {
namespace {

// Opens directory for reading; -1 with errno set where it may not be read, or the file system
// refuses.
Descriptor open_to_read(int directory) {
    return Descriptor(::openat(directory, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

} // namespace

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

// Through the directory where it may be opened for reading, else by syncing the file system
// that holds the named file. A shut down XFS answers a directory's fsync with success, but
// refuses to open anything: so the directory is opened once more after its sync, which costs
// no I/O (a second fsync of the file would flush the disk's cache again).
bool sync_name(int directory, int file) {
    Descriptor opened = open_to_read(directory);
    if (!opened.valid()) {
        return errno == EACCES && ::syncfs(file) == 0;
    }
    return sync_to_storage(opened.get()) && opened.close() && open_to_read(directory).valid();
}

} // namespace writer
