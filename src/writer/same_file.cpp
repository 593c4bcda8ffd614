// Whether a name in a directory is a file that the process holds open.
#include "same_file.hpp"

#include "file_error.hpp"

#include <fcntl.h>

namespace writer {

bool same_file(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::error_code names_file(int directory, const std::string& name, int fd) {
    struct stat named {};
    struct stat opened {};
    if (::fstatat(directory, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 ||
        ::fstat(fd, &opened) != 0) {
        return last_error();
    }
    return same_file(named, opened) ? std::error_code() : error_of(ESTALE);
}

} // namespace writer
