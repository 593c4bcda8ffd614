#pragma once

// Tile buffers that take their memory straight from the kernel, zero and free until read.

#include "mavrel/huge_pages.hpp"

#include <cstddef>
#include <new>
#include <sys/mman.h>
#include <type_traits>
#include <utility>

namespace cli {

// Allocates memory straight from the kernel, which hands it over reading as zero, and leaves
// that zero as it is where an element is made without a value: a vector of numbers made with
// only a size then holds zeros that nobody wrote, and its pages cost nothing until read, when
// they map the kernel's shared zero page. Freed memory goes back to the kernel, so none of it
// is ever reused with other bytes in it.
template <typename T> struct FreshPagesAllocator {
    static_assert(std::is_arithmetic_v<T>, "all bits zero must be the value zero");
    using value_type = T;

    FreshPagesAllocator() = default;
    template <typename U> explicit FreshPagesAllocator(const FreshPagesAllocator<U>&) {}

    T* allocate(std::size_t count) {
        void* pages = ::mmap(nullptr, mapped_bytes(count), PROT_READ | PROT_WRITE,
                             MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (pages == MAP_FAILED) {
            throw std::bad_alloc();
        }
        // Reading then maps one shared zero page per huge page instead of one per small page.
        advise_huge_pages(pages, mapped_bytes(count));
        return static_cast<T*>(pages);
    }

    void deallocate(T* pages, std::size_t count) { ::munmap(pages, mapped_bytes(count)); }

    template <typename U> void construct(U*) {}

    template <typename U, typename... Value> void construct(U* element, Value&&... value) {
        ::new (static_cast<void*>(element)) U(std::forward<Value>(value)...);
    }

    bool operator==(const FreshPagesAllocator&) const { return true; }
    bool operator!=(const FreshPagesAllocator&) const { return false; }

private:
    // Whole 2 MiB huge pages (x86-64, and arm64 with 4 KiB pages), which the kernel aligns a
    // mapping of to a huge page boundary; elsewhere merely a multiple of the page size. The
    // part past the samples is never touched, so it costs nothing.
    static std::size_t mapped_bytes(std::size_t count) {
        constexpr std::size_t huge_page = std::size_t{2} << 20;
        return (count * sizeof(T) + huge_page - 1) / huge_page * huge_page;
    }
};

} // namespace cli
