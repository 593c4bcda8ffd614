#include "file_output.hpp"

#include "remove_on_signal.hpp"

#include <cerrno>
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

// Creates a new file beside name; the kernel applies the umask to its mode.
int create_temporary(const std::string& name, std::string& temporary) {
    for (int attempt = 0;; ++attempt) {
        temporary = name + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
}

void replace_file(const std::string& name, const void* bytes, std::size_t count,
                  const struct stat* existing) {
    std::string temporary;
    const int fd = create_temporary(name, temporary);
    if (fd < 0) {
        throw_file_error(name);
    }
    const RemoveOnSignal removal(temporary);
    const bool mode_kept = !existing || ::fchmod(fd, existing->st_mode & 07777) == 0;
    const bool done = (mode_kept ? write_and_close(fd, bytes, count) : close_after_failure(fd)) &&
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
