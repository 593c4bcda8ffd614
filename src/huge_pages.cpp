#include "huge_pages.hpp"

#include <cstdint>
#include <sys/mman.h>
#include <unistd.h>

namespace cli {

void advise_huge_pages(void* start, std::size_t bytes) {
    // madvise takes whole pages: advise only those that lie entirely within the range.
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto begin = reinterpret_cast<std::uintptr_t>(start);
    const std::uintptr_t first = (begin + page - 1) / page * page;
    const std::uintptr_t end = (begin + bytes) / page * page;
    if (end > first) {
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
    }
}

} // namespace cli
