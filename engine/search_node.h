// The recursive search shared by FindBestMove and the root scheduler.
// Internal to the engine.
#pragma once

#include <cstdint>

#include "engine/search.h"
#include "rules/position.h"

// The null window's distance below alpha.
constexpr double SCOUT_MARGIN = 0.1;

// Nodes a thread counts before it adds them to the shared count.
constexpr int64_t NODE_BATCH = 4096;

// What one thread's share of a search did, and how it learns to stop.
struct SearchCounters {
    int64_t nodes = 0;  // entries into SearchPosition
    int64_t evaluations = 0;
    bool outOfMemory = false;
    SearchStop* stop = nullptr;
    int64_t sharedNodes = 0;  // how many of nodes the shared count holds

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

// Whether the search is to end now. Without a SearchStop it never is; the
// check costs a load per node that has successors.
inline bool StopRequested(SearchCounters& counters) {
    SearchStop* stop = counters.stop;
    if (stop == nullptr) return false;
    if (stop->maxNodes > 0 && counters.nodes - counters.sharedNodes >= NODE_BATCH) {
        const int64_t batch = counters.nodes - counters.sharedNodes;
        counters.sharedNodes = counters.nodes;
        if (stop->nodes.fetch_add(batch, std::memory_order_relaxed) + batch >= stop->maxNodes)
            stop->requested.store(true, std::memory_order_relaxed);
    }
    return stop->requested.load(std::memory_order_relaxed);
}

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
