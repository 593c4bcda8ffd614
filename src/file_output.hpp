#pragma once

#include <cstddef>
#include <string>

namespace cli {

// Writes count bytes to the file called name, or throws std::system_error naming the file;
// on return they are on stable storage. A regular file is replaced only once every byte
// reached a new file beside it, which then takes its name, its owner, mode and extended
// attributes, so a failure leaves any old file as it was. A symbolic link keeps pointing to
// its final target, which is replaced so. Devices and FIFOs are written in place, and so is
// a writable file in a directory that lets us neither create nor replace files.
void write_file(const std::string& name, const void* bytes, std::size_t count);

} // namespace cli
