// Where things are on the board window: squares and pixels, the colours of
// the squares, where a piece rests in its square and where a dragged piece is
// drawn and confined. Plain functions of numbers, free of the window system.
#pragma once

#include <cstdint>

#include "rules/position.h"

// A pair of 32-bit integers read and written in place: a pixel (x, y) or a
// square (file, rank), as the conversions below say.
struct Point {
    int32_t x;
    int32_t y;
};

struct Rect {
    int32_t left, top, right, bottom;  // right and bottom excluded
};

constexpr int SQUARE_SIZE = 40;
constexpr int BOARD_ORIGIN = 20;  // the board's top-left pixel, on both axes
constexpr int BOARD_PIXELS = 8 * SQUARE_SIZE;
constexpr int BOARD_WINDOW_SIZE = 360;

// Colours as COLORREF values (0x00BBGGRR).
constexpr uint32_t DARK_SQUARE_COLOR = 0x808000;  // teal
constexpr uint32_t LIGHT_SQUARE_COLOR = 0xFFFFFF;

// (file, rank) in 1..8 becomes the square's top-left pixel and the result is
// 1; otherwise the point is left as it was and the result is 0.
int SquareToPixel(Point& point);

// A pixel on the board becomes (file, rank) and the result is 1; a pixel in
// the margin or outside the window is left as it was and the result is 0.
int PixelToSquare(Point& point);

// A square is dark when its file and rank are both odd or both even.
constexpr bool IsDarkSquare(int file, int rank) { return (file + rank) % 2 == 0; }
constexpr uint32_t SquareColor(int file, int rank) {
    return IsDarkSquare(file, rank) ? DARK_SQUARE_COLOR : LIGHT_SQUARE_COLOR;
}

// Where an image of width x height rests in the square whose top-left pixel is
// squareTopLeft: centred across it, its bottom 5 pixels above the square's.
Point RestingPosition(Point squareTopLeft, int width, int height);

// Where a dragged image is drawn: centred on the pointer.
Point DragImagePosition(Point pointer, int width, int height);

// The client rectangle to which the pointer is confined while a piece whose
// image is height pixels tall is dragged: the image stays over the board.
Rect ConfineRect(int height);
