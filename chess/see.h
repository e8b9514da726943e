// Static exchange evaluation: the material a capture wins or loses once
// both sides have recaptured on its square with their cheapest pieces.
#pragma once

#include "chess/board.h"

namespace chess {

int StaticExchange(const Board& board, Move move);

}  // namespace chess
