#include "chess/outcome.h"

#include "chess/evaluate.h"

namespace chess {

Outcome OutcomeOf(const Game& game) {
    MoveList legal;
    GenerateLegalMoves(game.board, legal);
    if (legal.count == 0) return InCheck(game.board) ? Outcome::CHECKMATE : Outcome::STALEMATE;
    if (IsInsufficientMaterial(game.board)) return Outcome::INSUFFICIENT_MATERIAL;
    if (game.board.halfMoveClock >= 100) return Outcome::FIFTY_MOVES;
    int seen = 0;
    for (uint64_t key : game.history) seen += key == game.board.key;
    return seen >= 2 ? Outcome::REPETITION : Outcome::ONGOING;
}

}  // namespace chess
