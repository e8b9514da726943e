// Training positions from played games, one a line: the position a move was
// played from, the mover's score for it and how the game ended,
//   <FEN>;<centipawns for the side to move>;<White's points: 1, 0.5 or 0>
// for every move its engine scored in centipawns (mates are left out) in a
// game decided on the board or by adjudication. Models of the expected
// result and tunings of the evaluation are fitted to these lines.
#pragma once

#include <string>

#include "tools/arena/play_game.h"

namespace arena {

std::string PositionLines(const GameRecord& game);

}  // namespace arena
