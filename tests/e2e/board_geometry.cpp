#include "board_geometry.h"

RECT SquareRect(Square square) {
    const LONG left = SQUARE_SIZE * square.file - 20, top = 340 - SQUARE_SIZE * square.rank;
    return RECT{left, top, left + SQUARE_SIZE, top + SQUARE_SIZE};
}

COLORREF SquareColour(Square square) {
    return (square.file + square.rank) % 2 == 0 ? DARK_SQUARE : LIGHT_SQUARE;
}

POINT SquareCentreOnScreen(HWND board, Square square) {
    const RECT rect = SquareRect(square);
    POINT centre{rect.left + SQUARE_SIZE / 2, rect.top + SQUARE_SIZE / 2};
    ClientToScreen(board, &centre);
    return centre;
}

Square SquareNamed(const char* name) { return Square{name[0] - 'a' + 1, name[1] - '0'}; }

std::string SquareName(Square square) {
    return std::string{static_cast<char>('a' + square.file - 1),
                       static_cast<char>('0' + square.rank)};
}
