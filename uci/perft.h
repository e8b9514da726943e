// Move-path counting for checking the move generation: every sequence of
// successors, depth plies long, with no stop when a king is taken.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "rules/position.h"

// The number of successor sequences of length depth from position (1 at
// depth 0). Sets outOfMemory when a successor list could not be allocated;
// the count is then too small.
int64_t Perft(const PositionRecord& position, int depth, bool& outOfMemory);

struct PerftBranch {
    std::string move;  // long algebraic, as the protocol writes it
    int64_t nodes;
};

// The count below each root successor, in successor-list order (depth >= 1).
std::vector<PerftBranch> DividedPerft(const PositionRecord& position, int depth, bool& outOfMemory);
