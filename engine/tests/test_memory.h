// A test allocator and out-of-memory reporter for the engine's hooks. It counts
// allocations, can make some fail, and keeps the live blocks, so that leaks and
// double or foreign releases show. A released block is filled with garbage and
// kept until the next step: reading it after its release gives wrong results.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/memory.h"

namespace test_memory {

struct State {
    std::mutex mutex;
    std::map<void*, std::size_t> live;
    std::vector<void*> released;
    int64_t calls = 0, failures = 0, badReleases = 0, reports = 0, reportsOffThread = 0;
    int64_t failFrom = 0, failTo = 0;  // the 1-based calls that fail
    std::thread::id caller;
};

inline State memory;

inline void* Allocate(std::size_t bytes) {
    State& state = memory;
    std::lock_guard<std::mutex> lock(state.mutex);
    const int64_t call = ++state.calls;
    if (call >= state.failFrom && call <= state.failTo) {
        ++state.failures;
        return nullptr;
    }
    void* block = std::malloc(bytes == 0 ? 1 : bytes);
    state.live[block] = bytes;
    return block;
}

inline void Release(void* block) {
    State& state = memory;
    std::lock_guard<std::mutex> lock(state.mutex);
    const auto found = state.live.find(block);
    if (found == state.live.end()) {
        ++state.badReleases;
        return;  // not ours, or released twice: never hand it to free
    }
    std::memset(block, 0xA5, found->second);
    state.released.push_back(block);
    state.live.erase(found);
}

inline void Report() {
    State& state = memory;
    std::lock_guard<std::mutex> lock(state.mutex);
    ++state.reports;
    if (std::this_thread::get_id() != state.caller) ++state.reportsOffThread;
}

}  // namespace test_memory

// Installs the test allocator and reporter for one test and restores the
// defaults afterwards, whatever the test did.
class EngineMemoryTest : public ::testing::Test {
   protected:
    void SetUp() override {
        FailCall(0);
        SetBlockAllocator(test_memory::Allocate, test_memory::Release);
        SetOutOfMemoryReporter(test_memory::Report);
    }

    void TearDown() override {
        SetBlockAllocator(nullptr, nullptr);
        SetOutOfMemoryReporter(nullptr);
        FailCall(0);
        test_memory::State& state = test_memory::memory;
        for (const auto& block : state.live) std::free(block.first);
        state.live.clear();
    }

    // Starts a step: clears the counters, frees the released blocks and makes
    // allocation `call` fail (and every later one too when asked); 0 fails none.
    void FailCall(int64_t call, bool andEveryLaterCall = false) {
        test_memory::State& state = test_memory::memory;
        std::lock_guard<std::mutex> lock(state.mutex);
        for (void* block : state.released) std::free(block);
        state.released.clear();
        state.calls = state.failures = state.badReleases = 0;
        state.reports = state.reportsOffThread = 0;
        state.failFrom = call;
        state.failTo = andEveryLaterCall ? INT64_MAX : call;
        state.caller = std::this_thread::get_id();
    }

    // Read once the engine's threads have joined, so without the lock.
    static const test_memory::State& Now() { return test_memory::memory; }
    static int64_t Calls() { return Now().calls; }
    static int64_t Failures() { return Now().failures; }
    static int64_t Reports() { return Now().reports; }
    // Every block allocated is released, once, and no report left the calling thread.
    static void ExpectBalanced(const std::string& where = "") {
        const test_memory::State& now = Now();
        EXPECT_EQ(now.live.size(), 0u) << where;
        EXPECT_EQ(now.badReleases, 0) << where;
        EXPECT_EQ(now.reportsOffThread, 0) << where;
    }
};
