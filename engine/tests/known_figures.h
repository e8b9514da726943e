// Figures that the engine's fixed algorithm gives, held in one place for
// every test that checks them: any change means the search or the rules
// changed.
#pragma once

#include <cstdint>

namespace known_figures {

// The search of the initial position to depth 5.
constexpr const char* START_DEPTH5_MOVE = "e2e4";
constexpr int START_DEPTH5_SCORE = 88;
constexpr int64_t START_DEPTH5_NODES = 139871;
constexpr int64_t START_DEPTH5_EVALUATIONS = 131231;

// The node total of the engine tool's bench: its built-in positions at depth 5.
constexpr int64_t BENCH_SIGNATURE = 23885140;

}  // namespace known_figures
