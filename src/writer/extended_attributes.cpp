// A file's extended attributes, read and set through its descriptor.
#include "extended_attributes.hpp"

#include "file_error.hpp"

#include <cstring>
#include <sys/xattr.h>

namespace writer {
namespace {

// Sets bytes to what call(buffer, size) fills, asking it first how many there are.
template <typename Call> std::error_code read_sized(std::string& bytes, Call call) {
    const ssize_t size = call(nullptr, 0);
    if (size < 0) {
        return last_error();
    }
    bytes.resize(static_cast<std::size_t>(size));
    const ssize_t read = call(bytes.data(), bytes.size());
    if (read < 0) {
        return last_error();
    }
    bytes.resize(static_cast<std::size_t>(read));
    return {};
}

} // namespace

std::error_code attribute_names(int fd, std::vector<std::string>& names) {
    std::string list;
    if (const std::error_code error = read_sized(
            list, [&](char* buffer, std::size_t size) { return ::flistxattr(fd, buffer, size); })) {
        return except(error, {ENOTSUP}); // a file system without attributes: there are none
    }
    for (const char* name = list.data(); name < list.data() + list.size();
         name += std::strlen(name) + 1) {
        names.emplace_back(name);
    }
    return {};
}

std::error_code read_attribute(int fd, const std::string& name, std::string& value) {
    return read_sized(value, [&](char* buffer, std::size_t size) {
        return ::fgetxattr(fd, name.c_str(), buffer, size);
    });
}

std::error_code read_optional_attribute(int fd, const std::string& name,
                                        std::optional<std::string>& value) {
    std::string read;
    const std::error_code error = read_attribute(fd, name, read);
    value = error ? std::nullopt : std::optional(read);
    return except(error, {ENODATA, ENOTSUP});
}

std::error_code set_attribute(int fd, const std::string& name, const std::string& value) {
    return call_error(::fsetxattr(fd, name.c_str(), value.data(), value.size(), 0));
}

} // namespace writer
