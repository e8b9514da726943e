// The bench: a fixed set of positions searched to a fixed depth. Its node
// total at the default depth is the engine's signature: the algorithm is
// fixed, so any change in the total means the search or the rules changed.
// Each rule set has its own search, and so its own signature.
#pragma once

#include <string>
#include <vector>

constexpr int DEFAULT_BENCH_DEPTH = 5;         // the game's rules
constexpr int DEFAULT_CHESS_BENCH_DEPTH = 10;  // standard chess

// The built-in positions, as FENs: openings, middlegames and endgames from
// real play.
const std::vector<std::string>& BuiltInBenchFens();
