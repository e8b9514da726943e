// The game: a board, the full-move number and the keys of the positions
// played before it since the last capture or pawn move (for repetitions).
#pragma once

#include <cstdint>
#include <vector>

#include "chess/board.h"

namespace chess {

struct Game {
    Game();
    Board board;
    int moveNumber = 1;
    std::vector<uint64_t> history;
    // Whether castling is written as the king taking its own rook (e1h1),
    // as Chess960 needs, rather than by the king's destination (e1g1).
    bool chess960 = false;
};

// The legal moves of a board (no allocation).
void GenerateLegalMoves(const Board& board, MoveList& list);

}  // namespace chess
