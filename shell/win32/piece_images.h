// Drawing a piece from its image and mask bitmaps.
#pragma once

#include <windows.h>

#include <cstdint>

struct PieceSize {
    int32_t width;
    int32_t height;
};

// The size of the piece's bitmaps; (0, 0) for a byte that is no piece (with
// an error box) or when the bitmap cannot be loaded.
PieceSize GetPieceSize(char letter);

// Composes the piece onto the window with its image's top-left corner at
// (x, y): outside the piece's outline the window keeps what it showed.
void DrawPiece(HWND window, char letter, int x, int y);
