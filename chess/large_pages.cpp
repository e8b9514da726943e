#include "chess/large_pages.h"

#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace chess {

void* AllocateLargePages(std::size_t bytes) {
#if defined(__linux__)
    if (bytes >= LARGE_PAGE_BYTES) {
        std::size_t rounded = (bytes + LARGE_PAGE_BYTES - 1) / LARGE_PAGE_BYTES * LARGE_PAGE_BYTES;
        void* block = std::aligned_alloc(LARGE_PAGE_BYTES, rounded);
        if (!block) throw std::bad_alloc();
        // Only advice: without huge pages the block works all the same.
        madvise(block, rounded, MADV_HUGEPAGE);
        return block;
    }
#endif
    return ::operator new(bytes);
}

void FreeLargePages(void* block, std::size_t bytes) {
#if defined(__linux__)
    if (bytes >= LARGE_PAGE_BYTES) {
        std::free(block);
        return;
    }
#endif
    (void)bytes;
    ::operator delete(block);
}

}  // namespace chess
