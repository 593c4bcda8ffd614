#pragma once

// Writing the complete new file that replaces a file, beside it.

#include "identity.hpp"
#include "name_resolution.hpp"
#include "temporary_file.hpp"

#include <cstddef>
#include <memory>
#include <string>

namespace writer {

// Writes a new file beside the target with the old file's identity (identity is null where
// there is no old file), brings it to stable storage and gives it a name of its own, so that it
// waits, complete, to take the target's (TemporaryFile::take_name). It is unnamed while it is
// written where the file system allows, and written once more into a named file where the
// kernel then refuses to link it. Returns null where the directory or the old file's identity
// keeps the old file from being replaced, so that it is rather rewritten in place; throws
// std::system_error naming name for any other failure.
std::unique_ptr<TemporaryFile> write_beside(const FileTarget& target, const Identity* identity,
                                            const std::string& name, const void* bytes,
                                            std::size_t count);

} // namespace writer
