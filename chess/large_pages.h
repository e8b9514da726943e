// An allocator for the hash table that asks the system to back it with large
// pages where it can. The search reads the table at random, and with pages
// of 4 KB nearly every read also misses the processor's cache of address
// translations; a 2 MB page covers 512 times as much. On Linux, blocks of
// 2 MB or more are aligned to 2 MB and marked for the kernel's transparent
// huge pages; elsewhere, and for smaller blocks, it allocates as usual.
#pragma once

#include <cstddef>

namespace chess {

constexpr std::size_t LARGE_PAGE_BYTES = std::size_t(2) << 20;

// A block of bytes, on large pages where they are had; throws
// std::bad_alloc when there is no room. Free it with the same size.
void* AllocateLargePages(std::size_t bytes);
void FreeLargePages(void* block, std::size_t bytes);

template <class T>
struct LargePageAllocator {
    using value_type = T;

    LargePageAllocator() = default;
    template <class U>
    LargePageAllocator(const LargePageAllocator<U>&) {}

    T* allocate(std::size_t count) {
        return static_cast<T*>(AllocateLargePages(count * sizeof(T)));
    }
    void deallocate(T* block, std::size_t count) { FreeLargePages(block, count * sizeof(T)); }
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
