#pragma once

// Advice to the kernel on how to back large buffers.

#include <cstddef>

namespace cli {

// Asks the kernel to back the pages of [start, start + bytes) with transparent huge pages,
// so that filling a large fresh buffer, or reading one never written, takes one page fault
// per huge page instead of one per page.
// Only advice: where the kernel lacks the feature nothing changes.
void advise_huge_pages(void* start, std::size_t bytes);

} // namespace cli
