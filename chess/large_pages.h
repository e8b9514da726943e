// An allocator for the hash table that asks the system to back it with large
// pages where it can. The search reads the table at random, and with pages
// of 4 KB nearly every read also misses the processor's cache of address
// translations; a 2 MB page covers 512 times as much. On Linux, blocks of
// 2 MB or more are aligned to 2 MB and marked for the kernel's transparent
// huge pages; elsewhere, and for smaller blocks, it allocates as usual.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace chess {

constexpr std::size_t LARGE_PAGE_BYTES = std::size_t(2) << 20;

template <class T>
struct LargePageAllocator {
    using value_type = T;

    LargePageAllocator() = default;
    template <class U>
    LargePageAllocator(const LargePageAllocator<U>&) {}

    T* allocate(std::size_t count) {
        std::size_t bytes = count * sizeof(T);
#if defined(__linux__)
        if (bytes >= LARGE_PAGE_BYTES) {
            std::size_t rounded =
                (bytes + LARGE_PAGE_BYTES - 1) / LARGE_PAGE_BYTES * LARGE_PAGE_BYTES;
            void* block = std::aligned_alloc(LARGE_PAGE_BYTES, rounded);
            if (!block) throw std::bad_alloc();
            // Only advice: without huge pages the block works all the same.
            madvise(block, rounded, MADV_HUGEPAGE);
            return static_cast<T*>(block);
        }
#endif
        return static_cast<T*>(::operator new(bytes));
    }

    void deallocate(T* block, std::size_t count) {
#if defined(__linux__)
        if (count * sizeof(T) >= LARGE_PAGE_BYTES) {
            std::free(block);
            return;
        }
#endif
        (void)count;
        ::operator delete(block);
    }
};

template <class T, class U>
bool operator==(const LargePageAllocator<T>&, const LargePageAllocator<U>&) {
    return true;
}
template <class T, class U>
bool operator!=(const LargePageAllocator<T>&, const LargePageAllocator<U>&) {
    return false;
}

}  // namespace chess
