#pragma once

#include <cstddef>

namespace cli {

// Asks the kernel to back the pages of [start, start + bytes) with transparent huge pages,
// so that filling a large fresh buffer takes one page fault per 2 MiB instead of per 4 KiB.
// Only advice: where the kernel lacks the feature nothing changes.
void advise_huge_pages(void* start, std::size_t bytes);

} // namespace cli
