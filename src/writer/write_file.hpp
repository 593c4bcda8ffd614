#pragma once

// Writing one file for good: a file set of one (file_set.hpp).

#include <cstddef>
#include <string>

namespace writer {

// Writes count bytes to the file called name as FileSet::stage and FileSet::commit write a
// set's files, or throws std::system_error naming the file; on return they are on stable
// storage under that name.
void write_file(const std::string& name, const void* bytes, std::size_t count);

} // namespace writer
