// A file's extended attributes, read and set through its descriptor.
#include "extended_attributes.hpp"

#include <cerrno>
#include <cstring>
#include <sys/xattr.h>

namespace writer {
namespace {

// Sets bytes to what call(buffer, size) fills, asking it first how many there are; false with
// errno set when either call fails.
template <typename Call> bool read_sized(std::string& bytes, Call call) {
    const ssize_t size = call(nullptr, 0);
    if (size < 0) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size));
    const ssize_t read = call(bytes.data(), bytes.size());
    bytes.resize(read < 0 ? 0 : static_cast<std::size_t>(read));
    return read >= 0;
}

} // namespace

bool attribute_names(int fd, std::vector<std::string>& names) {
    std::string list;
    if (!read_sized(
            list, [&](char* buffer, std::size_t size) { return ::flistxattr(fd, buffer, size); })) {
        return errno == ENOTSUP; // a file system without attributes: there are none
    }
    for (const char* name = list.data(); name < list.data() + list.size();
         name += std::strlen(name) + 1) {
        names.emplace_back(name);
    }
    return true;
}

bool read_attribute(int fd, const std::string& name, std::string& value) {
    return read_sized(value, [&](char* buffer, std::size_t size) {
        return ::fgetxattr(fd, name.c_str(), buffer, size);
    });
}

bool set_attribute(int fd, const std::string& name, const std::string& value) {
    return ::fsetxattr(fd, name.c_str(), value.data(), value.size(), 0) == 0;
}

std::optional<std::string> capability_of(int fd) {
    std::string value;
    return read_attribute(fd, capability_name, value) ? std::optional(value) : std::nullopt;
}

std::optional<std::string> acl_of(int fd) {
    std::string value;
    return read_attribute(fd, access_acl, value) ? std::optional(value) : std::nullopt;
}

} // namespace writer
