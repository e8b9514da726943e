// The chances of a position: from the search's score and the material on
// the board, how often the side to move wins, draws and loses, by a model
// fitted to the engine's own games (chess/wdl_model.h).
#pragma once

#include "chess/board.h"

namespace chess {

// Permille, summing to 1000.
struct WinDrawLoss {
    int win = 0, draw = 0, loss = 0;
};

// The material on the board: pawns 1, knights and bishops 3, rooks 5,
// queens 9, both sides together.
int MaterialCount(const Board& board);

// The chances for the side to move, given its score in centipawns, or, when
// mateIn is not 0, the mate it announces (positive: it mates).
WinDrawLoss ExpectedResult(const Board& board, int score, int mateIn = 0);

}  // namespace chess
