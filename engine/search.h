// The search that chooses the computer's move: a principal-variation search
// over whole positions, with the moves at the root ordered by a one-ply look.
#pragma once

#include <atomic>
#include <cstdint>

#include "rules/position.h"

constexpr float SCORE_BOUND = 10000.0f;
constexpr int FULL_DEPTH_MOVES = 5;
constexpr int REDUCED_DEPTH = 2;

// The most threads a search uses, however many are asked for.
constexpr int MAX_THREADS = 64;

// Lets another thread end a search early, at once or after about maxNodes
// nodes. A search that was ended says so in its report, and its move and
// score are then not to be used.
struct SearchStop {
    std::atomic<bool> requested{false};
    int64_t maxNodes = 0;           // 0: no limit
    std::atomic<int64_t> nodes{0};  // nodes so far, counted in batches
};

// A move the root is limited to, as its squares.
struct RootMove {
    Square from;
    Square to;
};

struct SearchSettings {
    int threads = 0;  // worker threads for the root moves; 0 means one per core
    SearchStop* stop = nullptr;
    const RootMove* onlyMoves = nullptr;  // when onlyMoveCount > 0, the root plays one of these
    int onlyMoveCount = 0;
};

// What a call of FindBestMove did, for the engine tool and tests.
struct SearchReport {
    float score = 0;          // the chosen move's score; -KING_LOST_SCORE when there is none
    int64_t nodes = 0;        // entries into the search, the root's one-ply look included
    int64_t evaluations = 0;  // calls of EvaluatePosition
    bool outOfMemory = false;
    bool stopped = false;  // ended early by settings.stop
};

// Chooses a move for the side to move, searching depth plies (at least 1).
// Returns 1 and writes the move's squares, or 0 when there is no move to
// play: no king, no successor, or every move loses the king. The result does
// not depend on the number of threads.
int FindBestMove(PositionRecord position, int depth, Square& from, Square& to,
                 const SearchSettings& settings = SearchSettings(), SearchReport* report = nullptr);
