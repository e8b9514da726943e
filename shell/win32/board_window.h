// The board window: squares, coordinate labels and the pieces of the game.
#pragma once

#include <windows.h>

// A memory context for the drag's snapshot of the board, made with the window.
extern HDC SnapshotDC;

void CreateBoardWindow(HWND parent, HINSTANCE instance);

// Paints the 64 squares and the 16 labels.
void DrawBoardSquares(HWND window);

// Paints every piece of CurrentPosition at its resting position.
void DrawAllPieces(HWND window);

// Fills one square with its own colour.
void FillSquare(HDC dc, int file, int rank);
