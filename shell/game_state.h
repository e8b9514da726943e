// The game being played: the shell's global state, read by the board view.
#pragma once

#include <cstdint>

#include "rules/position.h"

// The position on the board; written only by a legal drop and by the
// computer's move.
extern PositionRecord CurrentPosition;

// Per side (0 White, 1 Black): HUMAN_PLAYER or COMPUTER_PLAYER; written only
// by the player buttons.
extern int32_t PlayerKinds[2];
