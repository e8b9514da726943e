// Move generation: pseudo-legal moves of the side to move (legality is
// settled by PlayOnBoard), castling already checked for attacked squares.
// The moves come in three disjoint sets, so that a search can generate
// them one set at a time: noisy, quiet, and under-promotions.
#pragma once

#include "chess/board.h"

namespace chess {

// Whether a move neither captures nor promotes. Castling is quiet, even
// when the king's destination holds the castling rook.
inline bool IsQuietMove(const Board& board, Move move) {
    return (board.squares[ToOf(move)] == NO_PIECE || KindOf(move) == CASTLE) &&
           KindOf(move) != EN_PASSANT && !IsPromotion(move);
}

// Every pseudo-legal move.
void GenerateMoves(const Board& board, MoveList& list);
// Captures (en passant included) and queen promotions.
void GenerateNoisyMoves(const Board& board, MoveList& list);
// Moves that neither capture nor promote, castling included.
void GenerateQuietMoves(const Board& board, MoveList& list);
// Promotions to knight, bishop or rook, by push or capture.
void GenerateUnderPromotions(const Board& board, MoveList& list);
// Whether move is one of the pseudo-legal moves of board (a move from the
// transposition table may belong to another position with the same key).
bool IsPseudoLegal(const Board& board, Move move);
// Whether the side to move has at least one legal move.
bool HasLegalMove(const Board& board);

}  // namespace chess
