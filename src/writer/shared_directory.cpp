// The rules by which the kernel protects the users of a shared (sticky) directory.
#include "shared_directory.hpp"

namespace writer {
namespace {

bool owned_by_either(const struct stat& directory, const struct stat& file, uid_t runner) {
    return file.st_uid == runner || file.st_uid == directory.st_uid;
}

} // namespace

bool may_follow(const struct stat& directory, const struct stat& link, uid_t runner) {
    const bool shared = (directory.st_mode & (S_ISVTX | S_IWOTH)) == (S_ISVTX | S_IWOTH);
    return !shared || owned_by_either(directory, link, runner);
}

bool planted(const struct stat& directory, const struct stat& file, uid_t runner) {
    const bool shared =
        (directory.st_mode & S_ISVTX) != 0 && (directory.st_mode & (S_IWGRP | S_IWOTH)) != 0;
    const bool lure = S_ISFIFO(file.st_mode) || S_ISREG(file.st_mode);
    return shared && lure && !owned_by_either(directory, file, runner);
}

} // namespace writer
