#pragma once

// A file's extended attributes, read and set through its descriptor.

#include <optional>
#include <string>
#include <vector>

namespace writer {

// The attribute that holds a file's access ACL, and the one that holds its file capability.
constexpr const char* access_acl = "system.posix_acl_access";
constexpr const char* capability_name = "security.capability";

// Sets names to those of fd's extended attributes (none on a file system without them); false
// with errno set when they cannot be listed.
bool attribute_names(int fd, std::vector<std::string>& names);

// Sets value to that of fd's attribute name; false with errno set.
bool read_attribute(int fd, const std::string& name, std::string& value);

// Sets fd's attribute name to value; false with errno set.
bool set_attribute(int fd, const std::string& name, const std::string& value);

// The file capability of fd, if it has one.
std::optional<std::string> capability_of(int fd);

// The access ACL of fd, if it has one.
std::optional<std::string> acl_of(int fd);

} // namespace writer
