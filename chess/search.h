// The alpha-beta search of one thread: principal-variation search with a
// transposition table, null-move pruning, late-move reductions, futility
// pruning, singular extensions of the hash move and a quiescence search,
// over a fixed-size stack of positions.
// Moves come from the staged picker (move_picker.h); the margins are in
// search_margins.h.
#pragma once

#include <atomic>
#include <cstdint>

#include "chess/board.h"
#include "chess/pawn_cache.h"
#include "chess/transposition.h"

namespace chess {

constexpr int MAX_PLY = 100;
constexpr int INFINITE_SCORE = 32500;
constexpr int MATE_SCORE = 32000;
// Scores beyond this are mates, MATE_SCORE minus the plies to mate.
constexpr int MATE_BOUND = MATE_SCORE - 2 * MAX_PLY;
// The search's mate scores count plies from the root; the table's count
// them from the position stored, so that a mate found through one path
// keeps its distance when the position is reached through another.
inline int ScoreToTable(int score, int ply) {
    return score >= MATE_BOUND ? score + ply : score <= -MATE_BOUND ? score - ply : score;
}
inline int ScoreFromTable(int score, int ply) {
    return score >= MATE_BOUND ? score - ply : score <= -MATE_BOUND ? score + ply : score;
}

// Keys of game positions before the root that repetitions are looked for in.
constexpr int MAX_GAME_KEYS = 128;

// What the threads of one search share.
struct SharedSearch {
    SearchTables* tables = nullptr;
    const std::atomic<bool>* stop = nullptr;
    std::atomic<bool> helpersStop{false};
    std::atomic<int64_t> nodes{0};  // counted by every thread in batches
    int64_t maxNodes = 0;
    bool alone = true;  // one thread: node limits use its own exact count
};

struct Worker {
    SharedSearch* shared = nullptr;
    bool isMain = true;
    bool canStop = false;  // false while depth 1 runs
    bool stopped = false;
    int64_t nodes = 0;
    int64_t unflushedNodes = 0;
    int selectiveDepth = 0;

    // Keys of the game before the root, then one per ply of the search.
    uint64_t keys[MAX_GAME_KEYS + MAX_PLY + 4];
    int rootKeyIndex = 0;

    QuietHistory history[2];
    CaptureHistory captureHistory;
    Move counterMoves[12][64];
    ContinuationHistory continuation;
    CorrectionHistory correction;
    // The piece each ply's move moved and its destination, which the
    // continuation history, the counter moves and the correction by moves
    // are indexed by; NO_PIECE after a null move. The captures-only search
    // records its moves too.
    int movedPiece[MAX_PLY + 2];
    int movedTo[MAX_PLY + 2];
    Move killers[MAX_PLY + 2][2];
    // The move each ply's search leaves out while it asks whether the hash
    // move is the only good one; NO_MOVE in every other search.
    Move excluded[MAX_PLY + 2];
    // How many moves of the line to each ply were searched two plies deeper.
    int doubleExtensions[MAX_PLY + 2];
    int rootDepth = 0;  // the depth the root is searching
    int staticEval[MAX_PLY + 2];
    Move pv[MAX_PLY + 2][MAX_PLY + 2];
    int pvLength[MAX_PLY + 2];

    Board root;
    Move rootMoves[MAX_MOVES];
    int rootMoveCount = 0;
    // The root searches rootMoves[rootStart..]: with several lines, the
    // moves before it are the best lines already found at this depth.
    int rootStart = 0;
    // Nodes searched below each root move so far, by its from and to
    // squares: the root's moves after the best are tried most searched first.
    int64_t rootNodes[64][64];

    // Kept from search to search: an entry depends on the pawns alone.
    PawnCache pawnCache;
};

// Moves value toward bonus's sign by bonus, less the more value already
// leans that way, so that it stays within plus or minus HISTORY_MAX while
// bonus does.
inline void AddHistory(int16_t& value, int bonus) {
    int next = value + bonus - value * (bonus < 0 ? -bonus : bonus) / HISTORY_MAX;
    value = int16_t(next);
}

// Prepares a worker, whose shared is set, for a search from game's position
// with its history: forgets all the last search left in it and takes the
// move-ordering histories and counter moves of the tables.
void StartWorker(Worker& worker, const Board& root, const uint64_t* gameKeys, int gameKeyCount);

// Searches the root moves from rootStart to depth; the best is moved to
// rootStart and its line left in pv[0]. The result is unusable when
// worker.stopped.
int SearchRoot(Worker& worker, int alpha, int beta, int depth);

}  // namespace chess
