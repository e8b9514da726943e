// The bench: a fixed set of positions searched to a fixed depth. Its node
// total at the default depth is the engine's signature: the algorithm is
// fixed, so any change in the total means the search or the rules changed.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "rules/position.h"

constexpr int DEFAULT_BENCH_DEPTH = 5;

// The built-in positions, as FENs: openings, middlegames and endgames from
// real play.
const std::vector<std::string>& BuiltInBenchFens();

// Searches each position to depth with the given number of threads and
// writes one line per position, then the closing block of totals.
void RunBenchPositions(const std::vector<PositionRecord>& positions, int depth, int threads,
                       std::ostream& out);
