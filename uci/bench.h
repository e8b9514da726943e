// The bench: a fixed set of positions searched to a fixed depth. Its node
// total at the default depth is the engine's signature: the algorithm is
// fixed, so any change in the total means the search or the rules changed.
// Each rule set has its own search, and so its own signature.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "chess/chess.h"
#include "rules/position.h"

constexpr int DEFAULT_BENCH_DEPTH = 5;         // the game's rules
constexpr int DEFAULT_CHESS_BENCH_DEPTH = 10;  // standard chess

// The built-in positions, as FENs: openings, middlegames and endgames from
// real play.
const std::vector<std::string>& BuiltInBenchFens();

// Searches each position to depth with the given number of threads and
// writes one line per position, then the closing block of totals.
void RunBenchPositions(const std::vector<PositionRecord>& positions, int depth, int threads,
                       std::ostream& out);

// The same in standard chess; every search starts from cleared tables, so
// that with one thread the node total is always the same.
void RunChessBench(const std::vector<chess::Game>& games, int depth, chess::SearchThreads& threads,
                   chess::SearchTables& tables, std::ostream& out);
