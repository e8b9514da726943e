// Figures the engine is known to produce, held in one place so that every test
// folder checks the same numbers. A change to the search, the evaluation or
// the move order that moves any of them changes the engine's play.
#pragma once

#include <cstdint>

namespace known {

// The initial position searched to depth 5 on any number of threads.
constexpr int START_DEPTH = 5;
constexpr const char* START_MOVE = "e2e4";
constexpr int START_SCORE = 88;
constexpr int64_t START_NODES = 139871;
constexpr int64_t START_EVALUATIONS = 131231;

// After e2e4, Black's reply at depth 5, and the deep root moves (the first
// five in pre-score order) with the scores they get four plies deep.
constexpr const char* AFTER_E4_MOVE = "b8c6";
constexpr int AFTER_E4_SCORE = 110;
constexpr struct {
    const char* move;
    int score;
} AFTER_E4_DEEP_MOVES[] = {{"d7d5", 53}, {"e7e5", 54}, {"b8c6", 110}, {"g8f6", 109}, {"d7d6", 11}};

// The nodes `bench` searches over its built-in positions at depth 5.
constexpr int BENCH_DEPTH = 5;
constexpr int64_t BENCH_SIGNATURE = 23885140;

}  // namespace known
