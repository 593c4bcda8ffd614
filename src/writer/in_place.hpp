#pragma once

// Rewriting an existing file through its own descriptor, where it cannot be replaced.

#include "name_resolution.hpp"

#include <cstddef>
#include <string>

namespace writer {

// Writes count bytes into the existing file of target from its start, and brings them to
// stable storage. A regular file loses its old bytes, and its set-id bits from before its first
// byte changes until after its last, when it gets them back with its file capability, which
// the write clears. A device or FIFO opened without waiting now waits. Throws
// std::system_error naming name.
void write_in_place(FileTarget& target, const std::string& name, const void* bytes,
                    std::size_t count);

} // namespace writer
