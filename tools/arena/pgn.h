// A played game as PGN: the seven standard tags, FEN and SetUp for games
// that start elsewhere than the initial position, Termination and
// TimeControl, then the moves in SAN, each followed by a comment with the
// mover's score and depth and the time it took: {+0.31/9 0.52s}. The score
// is the mover's own, as its engine reported it (positive: good for the side
// that made the move), in pawns, or +M5/-M3 for a mate in 5 / being mated in
// 3 moves. A move without any scored info line has only its time. The reason
// the game ended closes the moves as a comment before the result.
#pragma once

#include <string>

#include "tools/arena/play_game.h"

namespace arena {

struct PgnHeader {
    std::string event = "?";
    std::string site = "?";
    std::string date = "????.??.??";
    int round = 1;
    std::string timeControl;  // "40+0.4" (seconds); no tag when empty
};

std::string PgnOf(const GameRecord& game, const PgnHeader& header);

// The comment of one move, without braces: "+0.31/9 0.52s".
std::string MoveComment(const PlayedMove& move);

// The TimeControl tag of a clock, base+increment in seconds ("5+0.05"), or
// "" for a fixed number of nodes, which the tag cannot express.
std::string TimeControlTag(const TimeControl& time);

// "normal", "time forfeit", ... as the Termination tag spells them.
const char* TerminationText(Termination termination);

}  // namespace arena
