#include "file_output.hpp"

#include "remove_on_signal.hpp"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace cli {
namespace {

[[noreturn]] void throw_file_error(const std::string& name, int error = errno) {
    throw std::system_error(error, std::generic_category(), name);
}

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

// Closes fd after a failed step; returns false with that step's errno kept.
bool close_after_failure(int fd) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return false;
}

// Writes and closes fd; returns false with errno set when either fails.
bool write_and_close(int fd, const void* bytes, std::size_t count) {
    if (!write_all(fd, bytes, count)) {
        return close_after_failure(fd);
    }
    return ::close(fd) == 0;
}

void write_in_place(const std::string& name, const void* bytes, std::size_t count) {
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0 || !write_and_close(fd, bytes, count)) {
        throw_file_error(name);
    }
}

// The directory part of name with its final slash, or "" for the working directory.
std::string directory_of(const std::string& name) {
    const std::size_t slash = name.rfind('/');
    return slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
}

// Creates a new file beside name under a short name of its own, so that it fits wherever
// name fits, and has removal watch it; returns its descriptor, or -1 with errno set.
// Signals wait meanwhile: one that came in between would leave the file behind.
int create_temporary(const std::string& name, std::string& temporary, RemoveOnSignal& removal) {
    const HoldSignals held;
    temporary = directory_of(name) + ".mavrel-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd >= 0) {
        removal.watch(temporary);
    }
    return fd;
}

// The mode a file created now would get: read and write for all, less the umask.
mode_t new_file_mode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void replace_file(const std::string& name, const void* bytes, std::size_t count,
                  const struct stat* existing) {
    RemoveOnSignal removal;
    std::string temporary;
    const int fd = create_temporary(name, temporary, removal);
    // A directory closed to us may still hold a tile we may write: write that one in place.
    if (fd < 0 && existing && (errno == EACCES || errno == EPERM)) {
        write_in_place(name, bytes, count);
        return;
    }
    if (fd < 0) {
        throw_file_error(name);
    }
    const mode_t mode = existing ? existing->st_mode & 07777 : new_file_mode();
    const bool done =
        (::fchmod(fd, mode) == 0 ? write_and_close(fd, bytes, count) : close_after_failure(fd)) &&
        ::rename(temporary.c_str(), name.c_str()) == 0;
    if (!done) {
        const int error = errno;
        ::unlink(temporary.c_str());
        throw_file_error(name, error);
    }
}

} // namespace

void write_file(const std::string& name, const void* bytes, std::size_t count) {
    struct stat status {};
    const bool exists = ::lstat(name.c_str(), &status) == 0;
    if (!exists && errno != ENOENT) {
        throw_file_error(name);
    }
    if (name.empty()) {
        throw_file_error("\"\"", ENOENT);
    }
    if (exists && !S_ISREG(status.st_mode)) {
        write_in_place(name, bytes, count);
        return;
    }
    // A file its owner made read-only stays protected, as it would be from truncation.
    if (exists && ::access(name.c_str(), W_OK) != 0) {
        throw_file_error(name);
    }
    replace_file(name, bytes, count, exists ? &status : nullptr);
}

} // namespace cli
