#pragma once

// A file's extended attributes, read and set through its descriptor.

#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace writer {

// The attribute that holds a file's access ACL, and the one that holds its file capability.
constexpr const char* access_acl = "system.posix_acl_access";
constexpr const char* capability_name = "security.capability";

// Sets names to those of fd's extended attributes (none on a file system without them).
std::error_code attribute_names(int fd, std::vector<std::string>& names);

// Sets value to that of fd's attribute name.
std::error_code read_attribute(int fd, const std::string& name, std::string& value);

// Sets value to that of fd's attribute name, or to none where the file, or its file system,
// has no such attribute.
std::error_code read_optional_attribute(int fd, const std::string& name,
                                        std::optional<std::string>& value);

// Sets fd's attribute name to value.
std::error_code set_attribute(int fd, const std::string& name, const std::string& value);

} // namespace writer
