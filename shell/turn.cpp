#include "shell/turn.h"

#include "board/pickup.h"

TurnAction DecideTurn(const PositionRecord& position, const int32_t playerKinds[2]) {
    const char side = position.sideToMove;
    if (side == 'w' && IsKingMissing(position, 'w')) return TurnAction::BLACK_WINS;
    if (side == 'b' && IsKingMissing(position, 'b')) return TurnAction::WHITE_WINS;
    const int index = SideIndex(side);
    if (index >= 0 && playerKinds[index] == COMPUTER_PLAYER) return TurnAction::COMPUTER_MOVES;
    return TurnAction::WAIT_FOR_HUMAN;
}
