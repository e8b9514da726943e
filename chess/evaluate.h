// The static evaluation: material, piece-square tables, pawn structure,
// mobility and king safety, blended between middle game and end game by the
// material left on the board.
#pragma once

#include "chess/board.h"

namespace chess {

// Centipawns for the side to move.
int EvaluateBoard(const Board& board);

// Neither side can ever mate: no pawns, rooks or queens, and either at most
// one minor piece or only bishops, all on squares of one colour.
bool IsInsufficientMaterial(const Board& board);

// The middle-game material value of a piece type (for move ordering and pruning).
int PieceValue(int type);

}  // namespace chess
