// How a game stands by the rules alone: still going, or over by mate,
// stalemate, threefold repetition, the fifty-move rule or material that can
// never mate. A referee (a match runner) asks this after every move.
#pragma once

#include "chess/game.h"

namespace chess {

enum class Outcome {
    ONGOING,
    CHECKMATE,  // the side to move is mated
    STALEMATE,
    REPETITION,   // the position stands for the third time, same side to move
    FIFTY_MOVES,  // a hundred plies without a capture or a pawn move
    INSUFFICIENT_MATERIAL,
};

// Mate and stalemate come first: a move that mates on the hundredth quiet
// ply wins. Repetitions count only the positions the game has seen since its
// last capture or pawn move (its history), plus the current one.
Outcome OutcomeOf(const Game& game);

// Whether the outcome is a draw (everything but ONGOING and CHECKMATE).
inline bool IsDraw(Outcome outcome) {
    return outcome != Outcome::ONGOING && outcome != Outcome::CHECKMATE;
}

}  // namespace chess
