#include "file_output.hpp"

#include "file_metadata.hpp"
#include "temporary_file.hpp"

#include <cerrno>
#include <climits>
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

// Brings what was written to fd onto stable storage. Devices and FIFOs have nothing to sync,
// which fsync says with EINVAL or EROFS.
bool sync_to_storage(int fd) {
    return ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
}

// Closes fd after a failed step; returns false with that step's errno kept.
bool close_after_failure(int fd) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return false;
}

// Syncs and closes fd; returns false with errno set when either fails.
bool sync_and_close(int fd) {
    return sync_to_storage(fd) ? ::close(fd) == 0 : close_after_failure(fd);
}

void write_in_place(const std::string& path, const std::string& name, const void* bytes,
                    std::size_t count) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0 || !(write_all(fd, bytes, count) ? sync_and_close(fd) : close_after_failure(fd))) {
        throw_file_error(name);
    }
}

// The directory part of path with its final slash, or "" for the working directory.
std::string directory_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Brings a new name in directory onto stable storage, where the directory can be opened.
bool sync_directory(const std::string& directory) {
    const int fd =
        ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return true; // the rename is atomic all the same
    }
    return sync_and_close(fd);
}

// The file that a name finally refers to, through any symbolic links.
struct Target {
    std::string path;
    bool exists = false;
    struct stat status {};
};

Target final_target(const std::string& name) {
    Target target{name};
    for (int links = 0; links <= 40; ++links) {
        target.exists = ::lstat(target.path.c_str(), &target.status) == 0;
        if (!target.exists && errno != ENOENT) {
            throw_file_error(name);
        }
        if (!target.exists || !S_ISLNK(target.status.st_mode)) {
            return target;
        }
        char link[PATH_MAX];
        const ssize_t length = ::readlink(target.path.c_str(), link, sizeof link);
        if (length < 0) {
            throw_file_error(name);
        }
        const std::string to(link, static_cast<std::size_t>(length));
        target.path = to.front() == '/' ? to : directory_of(target.path) + to;
    }
    throw_file_error(name, ELOOP);
}

// Where the directory or its sticky bit keeps us from replacing a file we may write.
bool refused(int error) {
    return error == EACCES || error == EPERM;
}

// Replaces target only once every byte reached stable storage in a new file beside it.
void replace_file(const std::string& name, const Target& target, const void* bytes,
                  std::size_t count) {
    const std::string directory = directory_of(target.path);
    TemporaryFile temporary(directory);
    const int fd = temporary.descriptor();
    if (fd < 0 && target.exists && refused(errno)) {
        return write_in_place(target.path, name, bytes, count);
    }
    if (fd < 0 || (target.exists && !keep_metadata(fd, target.path, target.status)) ||
        !write_all(fd, bytes, count) || !sync_to_storage(fd)) {
        throw_file_error(name);
    }
    if (!temporary.take_name(target.path)) {
        if (target.exists && refused(errno)) {
            return write_in_place(target.path, name, bytes, count);
        }
        throw_file_error(name);
    }
    if (!sync_directory(directory)) {
        throw_file_error(name);
    }
}

} // namespace

void write_file(const std::string& name, const void* bytes, std::size_t count) {
    if (name.empty()) {
        throw_file_error("\"\"", ENOENT);
    }
    const Target target = final_target(name);
    if (target.exists && !S_ISREG(target.status.st_mode)) {
        return write_in_place(target.path, name, bytes, count);
    }
    // A file its owner made read-only stays protected, as it would be from truncation.
    if (target.exists && ::access(target.path.c_str(), W_OK) != 0) {
        throw_file_error(name);
    }
    replace_file(name, target, bytes, count);
}

} // namespace cli
