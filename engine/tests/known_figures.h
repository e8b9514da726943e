// Figures the engine is known to produce, held in one place so that every test
// folder checks the same numbers. A change to the search or the evaluation that
// moves any of them changes the engine's play.
#pragma once

#include <cstdint>

namespace known {

// The initial position searched to depth 5 on any number of threads.
constexpr int START_DEPTH = 5;
constexpr const char* START_MOVE = "e2e4";
constexpr int START_SCORE = 88;
constexpr int64_t START_NODES = 139871;
constexpr int64_t START_EVALUATIONS = 131231;

// The nodes `bench` searches over its built-in positions at depth 5.
constexpr int BENCH_DEPTH = 5;
constexpr int64_t BENCH_SIGNATURE = 23885140;

}  // namespace known
