// The static evaluation: material, piece-square tables, pawn structure,
// mobility and king safety, blended between middle game and end game by the
// material left on the board, with rules of thumb for endings without pawns.
#pragma once

#include "chess/board.h"
#include "chess/eval_terms.h"

namespace chess {

struct PawnCache;  // chess/pawn_cache.h

// Centipawns for the side to move.
int EvaluateBoard(const Board& board);
// The same, with the pawn structure's terms taken from cache where it has
// them and put there where it has not.
int EvaluateBoard(const Board& board, PawnCache& cache);

// Neither side can ever mate: no pawns, rooks or queens, and either at most
// one minor piece or only bishops, all on squares of one colour.
bool IsInsufficientMaterial(const Board& board);

// The terms the evaluation of board counts, for fitting the weights.
EvalTrace TraceEvaluation(const Board& board);
// The score a trace gives with the weights (one per term), White's view,
// before and after the special endings: TracedScore of a board's trace with
// the weights in use is its evaluation seen from White.
int BlendedScore(const EvalTrace& trace, const EvalWeight* weights);
int TracedScore(const EvalTrace& trace, const EvalWeight* weights);

// The middle-game material value of a piece type (for move ordering and pruning).
int PieceValue(int type);

}  // namespace chess
