// The names in a directory that a descriptor holds.
#include "mavrel-batch/listing.hpp"

#include <dirent.h>
#include <fcntl.h>

namespace batch {

std::unordered_set<std::string> names_in(int directory) {
    std::unordered_set<std::string> names;
    DIR* listing = ::fdopendir(::openat(directory, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (listing == nullptr) {
        return names;
    }
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.insert(name);
        }
    }
    ::closedir(listing);
    return names;
}

} // namespace batch
