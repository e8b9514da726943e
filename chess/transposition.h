// The transposition table and what else the search keeps between searches.
// Entries are shared by the search threads without locks: each entry is two
// 64-bit atomics, the data and the key xor the data, so a torn entry (one
// word from another write) fails the key check and reads as a miss.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "chess/large_pages.h"
#include "chess/move.h"

namespace chess {

enum Bound : int { BOUND_NONE = 0, BOUND_UPPER = 1, BOUND_LOWER = 2, BOUND_EXACT = 3 };

struct TableEntry {
    std::atomic<uint64_t> check{0};
    std::atomic<uint64_t> data{0};
};

// What a probe finds: a move to try first and a score with its bound.
struct TableHit {
    Move move = NO_MOVE;
    int score = 0;
    int eval = 0;
    int depth = 0;
    int bound = BOUND_NONE;
};

constexpr int BUCKET_SIZE = 4;

// History values stay within plus or minus this (see AddHistory).
constexpr int HISTORY_MAX = 16384;

// The quiet-move history of one side: [from attacked][to attacked][from][to],
// where attacked means by an enemy piece. A move that takes a piece out of
// an attack, or puts it where it is attacked, is judged apart from the same
// move made where nothing threatens.
using QuietHistory = int16_t[2][2][64][64];

// The entry of move in history, given the squares the enemy attacks.
inline int16_t& HistoryEntry(QuietHistory& history, uint64_t threats, Move move) {
    int from = FromOf(move), to = ToOf(move);
    return history[(threats >> from) & 1][(threats >> to) & 1][from][to];
}
inline int16_t HistoryEntry(const QuietHistory& history, uint64_t threats, Move move) {
    int from = FromOf(move), to = ToOf(move);
    return history[(threats >> from) & 1][(threats >> to) & 1][from][to];
}

// A history of quiet moves by the piece moved and its destination: [piece][to].
using PieceToHistory = int16_t[12][64];

// The history of captures and queen promotions: [piece][to][what is taken],
// the last index the type of the piece taken plus one, 0 for none.
using CaptureHistory = int16_t[12][64][7];

// Quiet-move history by the move before: [piece][to] of an earlier move in
// the line, then the [piece][to] of the move that follows it. One table
// serves both the move one ply back and the move two plies back.
struct ContinuationHistory {
    PieceToHistory after[12][64];
};

// How far the search found the static evaluation off, by the side to move
// and the pawns: positions with one pawn structure tend to be misjudged the
// same way. Entries are in 1/CORRECTION_GRAIN centipawns.
constexpr int CORRECTION_ENTRIES = 16384;
constexpr int CORRECTION_GRAIN = 256;
// The same by each colour's pieces other than pawns, where they stand: a
// placement of one side's pieces tends to be misjudged the same way too.
// And by the last two moves, each as [piece][to]: a reply to a move tends
// to leave positions the evaluation misjudges alike.
struct CorrectionHistory {
    int16_t pawns[2][CORRECTION_ENTRIES];
    int16_t pieces[2][2][CORRECTION_ENTRIES];  // [side to move][colour of the pieces]
    int16_t moves[12][64][12][64];             // [two plies back][the last move]
};

struct SearchTables {
    // Buckets of BUCKET_SIZE entries.
    std::vector<TableEntry, LargePageAllocator<TableEntry>> entries;
    uint64_t bucketMask = 0;
    int generation = 0;
    // Quiet-move history of the main search thread, by side.
    QuietHistory history[2] = {};
    // The quiet move that last refuted a move, by that move's [piece][to].
    Move counterMoves[12][64] = {};
    CaptureHistory captureHistory = {};
    // Held apart: at over a megabyte it would not fit on a thread's stack.
    std::unique_ptr<ContinuationHistory> continuation = std::make_unique<ContinuationHistory>();
    std::unique_ptr<CorrectionHistory> correction = std::make_unique<CorrectionHistory>();
};

// Starts loading the bucket of key into the cache ahead of its probe.
void PrefetchTable(const SearchTables& tables, uint64_t key);
bool ProbeTable(const SearchTables& tables, uint64_t key, TableHit& hit);
void StoreInTable(SearchTables& tables, uint64_t key, Move move, int score, int eval, int depth,
                  int bound);

}  // namespace chess
