#pragma once

// The calls that bring bytes and names to stable storage, each resumed or checked as it needs.

#include <cstddef>
#include <system_error>

namespace writer {

// Writes everything, resuming after partial writes and signals.
std::error_code write_all(int fd, const void* bytes, std::size_t count);

// Brings what was written to fd onto stable storage. Pipes and devices have nothing to sync,
// which fsync says with EINVAL or EROFS; from a file or a directory any error is a failure.
std::error_code sync_to_storage(int fd);

// Brings a new name in directory onto stable storage, file being the named file.
std::error_code sync_name(int directory, int file);

} // namespace writer
