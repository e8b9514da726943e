// Standard chess for the engine tool's "chess" mode: the game (a position
// and the positions before it), its moves in the protocol's notation, and a
// search with iterative deepening. Everything here is independent of the
// game's own rules and search, which keep capturing kings.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "chess/castling.h"
#include "chess/game.h"
#include "chess/move.h"
#include "chess/threads.h"
#include "chess/transposition.h"
#include "rules/position.h"

namespace chess {

// Move (chess/move.h): origin, target and the piece promoted to; NO_MOVE is
// "0000". Game (chess/game.h): a copyable value holding the position, its
// clocks and the keys of the positions before it (for repetitions); a default
// Game is the initial position. SearchTables (chess/transposition.h): the
// transposition table, move-ordering histories and counter moves kept
// between searches.
// SearchThreads (chess/threads.h): the threads a search runs on.

// Starts a game at record (as read from a FEN) with the given half-move
// clock, each castling right belonging to the rook on its file in castling.
// Refuses what chess cannot play: a side without exactly one king, a pawn on
// the first or last rank, the side not to move in check, more pieces than
// promotions can make, or castling rights and an en passant square that the
// board does not back (a right needs its king on the back rank and its rook
// there, on the right's side of the king). The record's en passant square is
// kept only when a pawn can take there (RecordOf gives "--" otherwise). The
// game's notation is standard; set game.chess960 for Chess960's.
bool StartGame(const PositionRecord& record, int halfMoveClock, Game& game, std::string& error,
               const CastlingFiles& castling = STANDARD_CASTLING);

// Plays one legal move given as e2e4, e7e8q (the promotion letter may be
// upper case), castling in the game's notation. On failure the game is
// unchanged and error says why.
bool PlayMove(Game& game, const std::string& text, std::string& error);

// Reads text as one of the legal moves of the game, as PlayMove does, without playing it.
bool ReadMove(const Game& game, const std::string& text, Move& move, std::string& error);

// Whether the side to move is in check.
bool InCheck(const Game& game);

// The position as a record (board, side, castling, en passant, full-move
// number) and its half-move clock.
PositionRecord RecordOf(const Game& game);
int HalfMoveClock(const Game& game);
// The files of the rooks of the rights the game still has.
CastlingFiles CastlingOf(const Game& game);

// A move in the protocol's notation, castling by the king's destination.
std::string MoveText(Move move);
// A move of the game, or of a line that starts at it, in the game's notation.
std::string MoveText(const Game& game, Move move);

// The static evaluation in centipawns for the side to move.
int Evaluate(const Game& game);

// Move path counts per legal root move, for go perft.
struct PerftBranch {
    Move move;
    int64_t nodes;
};
std::vector<PerftBranch> DividedPerft(const Game& game, int depth);

// What the search keeps between searches: the transposition table, sized in
// megabytes, the move-ordering histories and the counter moves. Cleared for
// a new game.
//
// Sizes the table to about hashMegabytes and clears it and the rest. When
// that much memory cannot be had, keeps the table it had (or, having none,
// the largest smaller power-of-two size that can be had), writes error, and
// returns false. Never throws.
bool ResizeSearchTables(SearchTables& tables, int hashMegabytes, std::string& error);
void ClearSearchTables(SearchTables& tables);

struct SearchLimits {
    int maxDepth = 64;
    int64_t maxNodes = 0;           // 0: no limit
    std::vector<Move> searchMoves;  // empty, or none of them legal: every legal move
    int multiPv = 1;                // lines to find: the best root moves, each with its own line
};

// One line of a finished iteration of the deepening.
struct Iteration {
    int depth = 0;
    int line = 1;  // its rank among the iteration's lines, from 1 (the best)
    int selectiveDepth = 0;
    int score = 0;      // centipawns for the side to move, when mateIn is 0
    int mateIn = 0;     // moves to mate: positive when the side to move mates, negative when mated
    int64_t nodes = 0;  // all threads, since the search began
    std::vector<Move> pv;
};

// Deepens from depth 1 until maxDepth, maxNodes, stop, or onIteration
// returning false; an iteration cut short is dropped, and depth 1 always
// finishes. Each iteration finds min(multiPv, root moves) lines, each
// starting with a different root move, and reports them best first: the
// deepening ends after an iteration in which onIteration returned false for
// any line. Returns the first move of the last finished iteration's best
// line, or with one line a move that beat it in the unfinished iteration: a
// legal move, or NO_MOVE only when there is none.
// Runs on every thread of pool, one search at a time; on one thread, the
// same game and tables give the same search every time.
// Searches without a transposition table while tables has none; allocates
// nothing but the lines it reports. When it returns, no thread of the search
// touches tables or stop any more.
Move Think(SearchTables& tables, SearchThreads& pool, const Game& game, const SearchLimits& limits,
           const std::atomic<bool>& stop, const std::function<bool(const Iteration&)>& onIteration);

}  // namespace chess
