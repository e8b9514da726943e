// The main pass of the root: every root move searched with the full window,
// on several threads, with exactly the results and node counts of one.
#pragma once

#include <cstdint>

#include "engine/search_node.h"
#include "rules/position.h"

// Searches the root moves list[order[0]], ..., list[order[count - 1]]: the
// first fullDepthMoves at depth - 1, the others at reducedDepth, and writes
// the root's score of each (the negated child score) into scores[k].
struct RootPass {
    const PositionRecord* list;
    const int32_t* order;
    int count;
    int depth;
    int fullDepthMoves;
    int reducedDepth;
    float bound;  // the window is -bound to +bound
    float* scores;
    SearchStop* stop;
};

void SearchRootMoves(const RootPass& pass, int threads, SearchCounters& total);
