#pragma once

// Replacing a file by a complete new one written beside it.

#include "identity.hpp"
#include "name_resolution.hpp"

#include <cstddef>
#include <string>

namespace writer {

// How a replacement ended, where it did not throw: done, or kept from replacing the file in a
// way that another way may get past.
enum class Replacement {
    done,
    refused,      // the directory, the sticky bit or the old file's identity forbid it
    link_refused, // the kernel refuses to link an unnamed file by its descriptor
};

// Writes a new file beside the target, unnamed unless named, with the old file's identity
// (identity is null where there is no old file), and renames it over the target once every
// byte reached stable storage; throws std::system_error naming name for any other failure.
Replacement replace(const FileTarget& target, const Identity* identity, bool named,
                    const std::string& name, const void* bytes, std::size_t count);

} // namespace writer
