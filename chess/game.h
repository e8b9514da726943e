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
};

// The legal moves of a board (no allocation).
void GenerateLegalMoves(const Board& board, MoveList& list);

}  // namespace chess
