// Where the board's squares are: the board is control 1 of the main window,
// 360 x 360 pixels, with a 20-pixel margin around eight rows of eight 40-pixel
// squares, seen from White's side.
#pragma once

#include <windows.h>

#include <string>

#include "rules/position.h"

constexpr int BOARD_ID = 1;
constexpr int BOARD_SIZE = 360;
constexpr int SQUARE_SIZE = 40;
constexpr COLORREF DARK_SQUARE = 0x808000;  // teal
constexpr COLORREF LIGHT_SQUARE = 0xFFFFFF;

// The square's pixels in the board's client area, right and bottom excluded.
RECT SquareRect(Square square);

// a1 is dark, and so is every square whose file and rank are both odd or both even.
COLORREF SquareColour(Square square);

// The middle of the square on the screen.
POINT SquareCentreOnScreen(HWND board, Square square);

// "e2" <-> (5, 2).
Square SquareNamed(const char* name);
std::string SquareName(Square square);

// Calls visit for each of the 64 squares, a1 first.
template <typename Visit>
void ForEachSquare(Visit visit) {
    for (int rank = 1; rank <= 8; ++rank)
        for (int file = 1; file <= 8; ++file) visit(Square{file, rank});
}
