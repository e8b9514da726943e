// Moving a piece by dragging it: pick-up on the button press, the image
// following the pointer, and the drop on the release.
#pragma once

#include <windows.h>

#include <cstdint>

struct DragStateRecord {
    int32_t active;              // 1 while a drag is under way
    int32_t fromFile, fromRank;  // the dragged piece's square
    int32_t imageX, imageY;      // where its image was last drawn, in client pixels
};

extern DragStateRecord DragState;

void PickUpPiece(HWND window, LPARAM lParam);
void DragPiece(HWND window, LPARAM lParam);
void DropPiece(HWND window, LPARAM lParam);

// Ends a drag that the system interrupted as a refused drop would: the piece
// back on its square, the pointer freed, no drag under way. Does nothing when
// no drag is under way.
void CancelDrag(HWND window);
