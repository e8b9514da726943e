// The recursive search shared by FindBestMove and the root scheduler.
// Internal to the engine.
#pragma once

#include <cstdint>

#include "rules/position.h"

// The null window's distance below alpha.
constexpr double SCOUT_MARGIN = 0.1;

// What one thread's share of a search did.
struct SearchCounters {
    int64_t nodes = 0;  // entries into SearchPosition
    int64_t evaluations = 0;
    bool outOfMemory = false;

    void Add(const SearchCounters& other) {
        nodes += other.nodes;
        evaluations += other.evaluations;
        outOfMemory = outOfMemory || other.outOfMemory;
    }
};

// What searching one successor does to its parent's move loop.
enum class StepOutcome { BELOW_ALPHA, CUTOFF, RAISE };

struct StepResult {
    StepOutcome outcome;
    float value;  // the cutoff's return value, or the new alpha
};

// The score of position for its side to move, depth plies deep within the
// window alpha to beta; a principal-variation search in negamax form.
float SearchPosition(SearchCounters& counters, PositionRecord position, int depth, float alpha,
                     float beta);

// One step of a node's move loop: the null-window search of one successor
// and, when it lands inside the window, the re-search. depth is the parent's.
StepResult SearchSuccessor(SearchCounters& counters, const PositionRecord& successor, int depth,
                           float alpha, float beta);

// The score of a node whose own king is missing, or whose opponent's is;
// returns false when both kings stand.
bool KingLostScore(const PositionRecord& position, float& score);
