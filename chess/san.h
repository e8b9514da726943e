// Standard algebraic notation, as PGN files write moves: Nf3, exd5, O-O,
// e8=Q+, Rad1, Qh4#.
#pragma once

#include <string>

#include "chess/game.h"

namespace chess {

// The legal move of game written in SAN, with + for check and # for mate.
// The origin is named only as far as needed to tell the move from another
// of the same piece type to the same square: the file, else the rank, else both.
std::string SanOf(const Game& game, Move move);

}  // namespace chess
