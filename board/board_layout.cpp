#include "board/board_layout.h"

int SquareToPixel(Point& point) {
    if (!OnBoard(point.x, point.y)) return 0;
    const int file = point.x, rank = point.y;
    point.x = SQUARE_SIZE * file - BOARD_ORIGIN;
    point.y = BOARD_ORIGIN + BOARD_PIXELS - SQUARE_SIZE * rank;
    return 1;
}

int PixelToSquare(Point& point) {
    const int last = BOARD_ORIGIN + BOARD_PIXELS - 1;
    if (point.x < BOARD_ORIGIN || point.x > last || point.y < BOARD_ORIGIN || point.y > last)
        return 0;
    const int file = (point.x - BOARD_ORIGIN) / SQUARE_SIZE + 1;
    const int rank = 8 - (point.y - BOARD_ORIGIN) / SQUARE_SIZE;
    point = Point{file, rank};
    return 1;
}

Point RestingPosition(Point squareTopLeft, int width, int height) {
    return Point{squareTopLeft.x + (SQUARE_SIZE - width) / 2, squareTopLeft.y + 35 - height};
}

Point DragImagePosition(Point pointer, int width, int height) {
    return Point{pointer.x - width / 2, pointer.y - height / 2};
}

Rect ConfineRect(int height) { return Rect{41, 55 - height / 2, 319, 335 - height / 2}; }
