#include "shell/game_state.h"

PositionRecord CurrentPosition = InitialPosition();
int32_t PlayerKinds[2] = {0, 0};
