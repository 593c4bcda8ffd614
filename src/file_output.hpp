#pragma once

#include <cstddef>
#include <string>

namespace cli {

// Writes count bytes to the file called name, or throws std::system_error naming the file.
// A regular file is replaced only once every byte reached a temporary file beside it, so a
// failure leaves any old file as it was; devices, FIFOs and symbolic links are written in place,
// and so is a writable regular file in a directory where no temporary file may be made.
void write_file(const std::string& name, const void* bytes, std::size_t count);

} // namespace cli
