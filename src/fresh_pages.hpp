#pragma once

#include "huge_pages.hpp"

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
        void* pages = ::mmap(nullptr, count * sizeof(T), PROT_READ | PROT_WRITE,
                             MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (pages == MAP_FAILED) {
            throw std::bad_alloc();
        }
        // Reading then maps one shared zero page per 2 MiB instead of one per small page.
        advise_huge_pages(pages, count * sizeof(T));
        return static_cast<T*>(pages);
    }

    void deallocate(T* pages, std::size_t count) { ::munmap(pages, count * sizeof(T)); }

    template <typename U> void construct(U*) {}

    template <typename U, typename... Value> void construct(U* element, Value&&... value) {
        ::new (static_cast<void*>(element)) U(std::forward<Value>(value)...);
    }

    bool operator==(const FreshPagesAllocator&) const { return true; }
    bool operator!=(const FreshPagesAllocator&) const { return false; }
};

} // namespace cli
