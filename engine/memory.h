// The engine's heap blocks and its one report to the user: memory ran out.
// Both go through hooks so that the program decides how a failure is shown
// and tests can make allocations fail.
#pragma once

#include <cstddef>

using BlockAllocator = void* (*)(std::size_t bytes);
using BlockReleaser = void (*)(void* block);

// Routes the engine's allocations; nullptr for either restores malloc and free.
void SetBlockAllocator(BlockAllocator allocate, BlockReleaser release);

// A block of the given size, or nullptr when memory is exhausted.
void* AllocateBlock(std::size_t bytes);
void ReleaseBlock(void* block);

// Called on the thread that asked the engine for work, once for each call of
// FindBestMove in which any allocation failed, however many did. Without a
// reporter a failure is silent, and the call returns what it could: nothing
// when the failure left it no answer.
using OutOfMemoryReporter = void (*)();
void SetOutOfMemoryReporter(OutOfMemoryReporter reporter);
void ReportOutOfMemory();
