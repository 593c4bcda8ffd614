#include "cli.hpp"
#include "generate.hpp"

#include <string>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// The project version, which the build passes in.
const std::string version = MAVREL_VERSION;

// Serve the tile buffers from the heap and keep freed memory there: the flag buffer then
// reuses the pages that the height buffer already faulted in, which costs far less than
// fresh pages. The process ends right after, so nothing is held for long.
void reuse_freed_memory() {
#if defined(__GLIBC__)
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, -1);
#endif
}

} // namespace

int main(int argc, char** argv) {
    reuse_freed_memory();
    return cli::generate(cli::init(argc, argv, version));
}
