#include "board/pickup.h"

#include "rules/legality.h"

bool CanPickUp(const PositionRecord& position, const int32_t playerKinds[2], Point pixel,
               Square& square) {
    if (!PixelToSquare(pixel)) return false;
    const char letter = PieceAt(position, pixel.x, pixel.y);
    if (letter == EMPTY_SQUARE || SideOf(letter) != position.sideToMove) return false;
    const int side = SideIndex(position.sideToMove);
    if (side < 0 || playerKinds[side] != HUMAN_PLAYER) return false;
    square = Square{pixel.x, pixel.y};
    return true;
}

bool IsLegalDrop(const PositionRecord& position, Square from, Point pixel, Square& target) {
    if (!PixelToSquare(pixel)) return false;
    target = Square{pixel.x, pixel.y};
    return CheckMove(position, from.file, from.rank, target.file, target.rank) == MOVE_LEGAL;
}

int ChangedSquares(const PositionRecord& before, const PositionRecord& after, int changed[64]) {
    int count = 0;
    for (int i = 0; i < 64; ++i) {
        if (before.board[i] != after.board[i]) changed[count++] = i;
    }
    return count;
}
