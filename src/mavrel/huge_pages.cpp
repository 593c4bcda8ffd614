// Advice to the kernel on how to back large buffers.
#include "mavrel/huge_pages.hpp"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace cli {

void advise_huge_pages(void* start, std::size_t bytes) {
    // madvise takes whole pages: advise only those that lie entirely within the range.
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    const std::size_t head = (page - reinterpret_cast<std::uintptr_t>(start) % page) % page;
    const std::size_t length = bytes > head ? (bytes - head) / page * page : 0;
    if (length > 0) {
        ::madvise(static_cast<char*>(start) + head, length, MADV_HUGEPAGE);
    }
}

} // namespace cli
