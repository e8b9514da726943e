#include "shell/win32/drag.h"

#include "board/board_layout.h"
#include "board/pickup.h"
#include "resources/resource_ids.h"
#include "shell/game_state.h"
#include "shell/win32/app.h"
#include "shell/win32/board_window.h"
#include "shell/win32/game_flow.h"
#include "shell/win32/piece_images.h"
#include "shell/win32/scoped_win.h"

DragStateRecord DragState;

namespace {

HBITMAP SnapshotBitmap;  // the board as it looks without the dragged piece

void ShowBoardCursor(int id) { SetCursor(LoadCursorA(AppInstance, MAKEINTRESOURCEA(id))); }

Point PointerOf(LPARAM lParam) {
    return Point{static_cast<int32_t>(LOWORD(lParam)), static_cast<int32_t>(HIWORD(lParam))};
}

char DraggedPiece() { return PieceAt(CurrentPosition, DragState.fromFile, DragState.fromRank); }

// Copies the board, with the origin square already blanked, into the snapshot.
// The snapshot bitmap stays selected in SnapshotDC until the next pick-up
// replaces it and deletes it.
void TakeSnapshot(HDC dc) {
    HBITMAP bitmap = CreateCompatibleBitmap(dc, BOARD_PIXELS, BOARD_PIXELS);
    HGDIOBJ previous = SelectObject(SnapshotDC, bitmap);
    if (SnapshotBitmap && previous == SnapshotBitmap) DeleteObject(SnapshotBitmap);
    SnapshotBitmap = bitmap;
    BitBlt(SnapshotDC, 0, 0, BOARD_PIXELS, BOARD_PIXELS, dc, BOARD_ORIGIN, BOARD_ORIGIN, SRCCOPY);
}

// Puts back the board under the image drawn last, from the snapshot.
void RestoreUnderImage(HDC dc, PieceSize size) {
    BitBlt(dc, DragState.imageX, DragState.imageY, size.width, size.height, SnapshotDC,
           DragState.imageX - BOARD_ORIGIN, DragState.imageY - BOARD_ORIGIN, SRCCOPY);
}

// Draws the dragged piece at rest on its own square.
void DrawAtOrigin(HWND window, char letter, PieceSize size) {
    Point corner{DragState.fromFile, DragState.fromRank};
    SquareToPixel(corner);
    const Point rest = RestingPosition(corner, size.width, size.height);
    DrawPiece(window, letter, rest.x, rest.y);
    DragState.imageX = rest.x;
    DragState.imageY = rest.y;
}

void ConfinePointer(HWND window, int height) {
    const Rect area = ConfineRect(height);
    POINT topLeft{area.left, area.top}, bottomRight{area.right, area.bottom};
    ClientToScreen(window, &topLeft);
    ClientToScreen(window, &bottomRight);
    const RECT screen{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    ClipCursor(&screen);
}

// Leaves the drag: nothing under way, the pointer free.
void EndDrag(HWND window) {
    DragState.active = 0;
    ClipCursor(nullptr);
    if (GetCapture() == window) ReleaseCapture();
}

}  // namespace

void PickUpPiece(HWND window, LPARAM lParam) {
    if (DragState.active) return;  // never a new pick-up over a live drag
    Square square{};
    if (!CanPickUp(CurrentPosition, PlayerKinds, PointerOf(lParam), square)) return;
    ShowBoardCursor(IDC_GRAB);
    const ScopedWindowDc dc(window);
    DragState.fromFile = square.file;
    DragState.fromRank = square.rank;
    DragState.active = 1;
    FillSquare(dc, square.file, square.rank);
    TakeSnapshot(dc);
    const char letter = DraggedPiece();
    const PieceSize size = GetPieceSize(letter);
    DrawAtOrigin(window, letter, size);
    ConfinePointer(window, size.height);
    SetCapture(window);
}

void DragPiece(HWND window, LPARAM lParam) {
    if (!DragState.active) return;
    ShowBoardCursor(IDC_GRAB);
    const ScopedWindowDc dc(window);
    const char letter = DraggedPiece();
    const PieceSize size = GetPieceSize(letter);
    RestoreUnderImage(dc, size);
    const Point at = DragImagePosition(PointerOf(lParam), size.width, size.height);
    DrawPiece(window, letter, at.x, at.y);
    DragState.imageX = at.x;
    DragState.imageY = at.y;
}

void DropPiece(HWND window, LPARAM lParam) {
    if (!DragState.active) return;
    ShowBoardCursor(IDC_POINTER);
    {
        const ScopedWindowDc dc(window);
        const char letter = DraggedPiece();
        const PieceSize size = GetPieceSize(letter);
        RestoreUnderImage(dc, size);
        const Square from{DragState.fromFile, DragState.fromRank};
        Square target{};
        if (IsLegalDrop(CurrentPosition, from, PointerOf(lParam), target)) {
            ApplyMove(GetParent(window), from, target);
        } else {
            DrawAtOrigin(window, letter, size);
        }
        EndDrag(window);
    }  // the context is given back before the turn passes
    SendMessageA(GetParent(window), WM_NEXT_TURN, 0, 0);
}

void CancelDrag(HWND window) {
    if (!DragState.active || !window) return;
    const ScopedWindowDc dc(window);
    const char letter = DraggedPiece();
    const PieceSize size = GetPieceSize(letter);
    RestoreUnderImage(dc, size);
    DrawAtOrigin(window, letter, size);
    EndDrag(window);
}
