// The rules by which the kernel protects the users of a shared (sticky) directory.
#include "shared_directory.hpp"

namespace writer {
namespace {

bool owned_by_either(const struct stat& directory, const struct stat& file, uid_t runner) {
    return file.st_uid == runner || file.st_uid == directory.st_uid;
}

bool sticky(const struct stat& directory) {
    return (directory.st_mode & S_ISVTX) != 0;
}

} // namespace

bool may_follow(const struct stat& directory, const struct stat& link, uid_t runner) {
    const bool shared = sticky(directory) && (directory.st_mode & S_IWOTH) != 0;
    return !shared || owned_by_either(directory, link, runner);
}

bool planted(const struct stat& directory, const struct stat& file, uid_t runner) {
    const bool shared = sticky(directory) && (directory.st_mode & (S_IWGRP | S_IWOTH)) != 0;
    const bool lure = S_ISFIFO(file.st_mode) || S_ISREG(file.st_mode);
    return shared && lure && !owned_by_either(directory, file, runner);
}

bool may_replace(const struct stat& directory, const struct stat& file, uid_t runner) {
    return !sticky(directory) || file.st_uid == runner || directory.st_uid == runner;
}

} // namespace writer
