#include "engine/memory.h"

#include <atomic>
#include <cstdlib>

namespace {

void* DefaultAllocate(std::size_t bytes) { return std::malloc(bytes); }
void DefaultRelease(void* block) { std::free(block); }

std::atomic<BlockAllocator> Allocator{DefaultAllocate};
std::atomic<BlockReleaser> Releaser{DefaultRelease};
std::atomic<OutOfMemoryReporter> Reporter{nullptr};

}  // namespace

void SetBlockAllocator(BlockAllocator allocate, BlockReleaser release) {
    Allocator.store(allocate ? allocate : DefaultAllocate);
    Releaser.store(release ? release : DefaultRelease);
}

void* AllocateBlock(std::size_t bytes) { return Allocator.load(std::memory_order_relaxed)(bytes); }

void ReleaseBlock(void* block) {
    if (block) Releaser.load(std::memory_order_relaxed)(block);
}

void SetOutOfMemoryReporter(OutOfMemoryReporter reporter) { Reporter.store(reporter); }

void ReportOutOfMemory() {
    if (OutOfMemoryReporter reporter = Reporter.load()) reporter();
}
