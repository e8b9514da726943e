#include "chess/large_pages.h"

#include <gtest/gtest.h>

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace chess {
namespace {

// Whether the mapping that holds the address carries the advice to back it
// with huge pages ("hg" among the flags the kernel lists for it).
bool AdvisedHugePages(const void* address) {
    auto at = reinterpret_cast<std::uintptr_t>(address);
    std::ifstream maps("/proc/self/smaps");
    std::string line;
    bool inside = false;
    while (std::getline(maps, line)) {
        unsigned long long first = 0, last = 0;
        if (std::sscanf(line.c_str(), "%llx-%llx ", &first, &last) == 2)
            inside = first <= at && at < last;
        else if (inside && line.rfind("VmFlags:", 0) == 0)
            return line.find(" hg") != std::string::npos;
    }
    return false;
}

// Whether the kernel has transparent huge pages at all; without them it
// refuses the advice, and the block works all the same.
bool KernelHasHugePages() {
    return bool(std::ifstream("/sys/kernel/mm/transparent_hugepage/enabled"));
}

// Bytes the process holds from the allocator, in its heap and in mappings.
std::size_t BytesHeld() {
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Every block holds its bytes; large ones start on a large page, carry the
// huge-page advice and are given back when freed.
TEST(LargePages, BlocksAreUsableAdvisedAndGivenBack) {
    const std::size_t page = LARGE_PAGE_BYTES;
    struct Case {
        std::size_t bytes;
        bool large;
    };
    for (Case c : {Case{1000, false}, Case{page - 1, false}, Case{page, true}, Case{page + 1, true},
                   Case{3 * page + 5, true}}) {
        std::size_t held = BytesHeld();
        auto* block = static_cast<unsigned char*>(AllocateLargePages(c.bytes));
        ASSERT_NE(block, nullptr) << c.bytes;
        std::memset(block, 0x5a, c.bytes);
        EXPECT_EQ(block[c.bytes - 1], 0x5a) << c.bytes;
        if (c.large) {
            EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % page, 0u) << c.bytes;
            if (KernelHasHugePages()) {
                EXPECT_TRUE(AdvisedHugePages(block)) << c.bytes;
            }
        }
        FreeLargePages(block, c.bytes);
        // Small frees may linger in the allocator's per-thread cache, which
        // counts them as held, and so may the smaps reader's buffers.
        if (c.large) {
            EXPECT_LT(BytesHeld(), held + c.bytes / 2) << c.bytes;
        }
    }
}

}  // namespace
}  // namespace chess
#endif
