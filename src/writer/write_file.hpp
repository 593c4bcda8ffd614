#pragma once

// The durable writer's entry point: writing one output file for good.

#include <cstddef>
#include <string>

namespace writer {

// Writes count bytes to the file called name, or throws std::system_error naming the file;
// on return they are on stable storage. Symbolic links are followed where the kernel's
// protections would follow them. A regular file is replaced only once every byte reached a
// new file beside it, which then takes its name, owner, group, mode, extended attributes and
// chattr flags, so a failure leaves any old file as it was. Where that identity cannot be
// kept, or the directory lets us neither create nor replace files, a writable file is
// rewritten in place instead; so are devices, FIFOs and files named by an open descriptor
// (/dev/stdout). An append-only or immutable directory is refused.
void write_file(const std::string& name, const void* bytes, std::size_t count);

} // namespace writer
