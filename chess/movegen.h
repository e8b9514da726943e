// Move generation: pseudo-legal moves of the side to move (legality is
// settled by PlayOnBoard), castling already checked for attacked squares.
#pragma once

#include "chess/board.h"

namespace chess {

// Every pseudo-legal move.
void GenerateMoves(const Board& board, MoveList& list);
// Captures and queen promotions only, for the quiescence search.
void GenerateNoisyMoves(const Board& board, MoveList& list);
// Whether the side to move has at least one legal move.
bool HasLegalMove(const Board& board);

}  // namespace chess
