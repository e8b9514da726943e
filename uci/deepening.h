// Iterative deepening in either rule set: the search of one go command,
// reporting each finished depth as an info line.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "chess/chess.h"
#include "engine/search.h"
#include "rules/position.h"

// What one search is to do; copied when the search starts, so that the
// session may change while it runs (the tables and threads excepted, which
// only the search touches until it ends).
struct DeepeningJob {
    bool standardChess = true;
    PositionRecord position{};  // the game's rules
    chess::Game game;           // standard chess
    chess::SearchTables* tables = nullptr;
    chess::SearchThreads* chessThreads = nullptr;
    int maxDepth = 1;
    int64_t maxNodes = 0;
    int mateIn = 0;
    int threads = 1;
    std::vector<RootMove> onlyMoves;          // the game's rules: searchmoves
    std::vector<chess::Move> onlyChessMoves;  // standard chess: searchmoves
};

// Receives each info line; returns false when the search is to stop
// deepening (the time for the move is up).
using InfoSink = std::function<bool(const std::string& line)>;

struct DeepeningResult {
    std::string bestMove = "0000";
    std::string ponderMove;    // empty when none
    bool outOfMemory = false;  // the game's search ran short of memory at some depth
};

// Deepens until the job's limits, stop, or the sink says enough. The best
// move is that of the last finished depth; depth 1 always finishes.
DeepeningResult Deepen(const DeepeningJob& job, SearchStop& stop, const InfoSink& sink);
