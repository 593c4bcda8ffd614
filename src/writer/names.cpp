// Names of files as the kernel reads them: their limits, and their directory and last part.
#include "names.hpp"

#include "file_error.hpp"

#include <algorithm>
#include <cerrno>
#include <climits>

namespace writer {

void check_name(const std::string& name) {
    if (name.empty()) {
        throw_file_error("\"\"", error_of(ENOENT));
    }
    bool too_long = name.size() >= PATH_MAX;
    for (std::size_t start = 0, end = 0; start < name.size() && !too_long; start = end + 1) {
        end = std::min(name.find('/', start), name.size());
        too_long = end - start > NAME_MAX;
    }
    if (too_long) {
        throw_file_error(name, error_of(ENAMETOOLONG));
    }
}

std::string directory_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

std::string leaf_of(const std::string& path) {
    const std::string leaf = path.substr(path.rfind('/') + 1);
    return leaf.empty() ? "." : leaf;
}

} // namespace writer
