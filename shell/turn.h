// What the main window does when the turn passes, decided from the game alone.
#pragma once

#include <cstdint>

#include "rules/position.h"

enum class TurnAction {
    WAIT_FOR_HUMAN,  // nothing to do: the side to move is the human's
    BLACK_WINS,      // White is to move and has lost its king
    WHITE_WINS,      // Black is to move and has lost its king
    COMPUTER_MOVES,  // the side to move is the computer's
};

TurnAction DecideTurn(const PositionRecord& position, const int32_t playerKinds[2]);
