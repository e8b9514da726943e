// The evaluation is fitted on quiet positions, where it is meant to hold:
// from a position with captures pending, the tuner takes the position at
// the end of the line a captures-only search expects.
#pragma once

#include "chess/board.h"

namespace tuner {

// The end of the principal line of a captures-only alpha-beta search from
// board (the side to move not in check): board itself when standing pat is
// best. Captures that lose material are not tried.
chess::Board QuietLeaf(const chess::Board& board);

}  // namespace tuner
