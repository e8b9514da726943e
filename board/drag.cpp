#include "board/drag.h"

#include "board/board_layout.h"
#include "board/board_window.h"
#include "board/pickup.h"
#include "board/piece_images.h"
#include "resources/resource_ids.h"
#include "shell/app.h"
#include "shell/game_flow.h"
#include "shell/game_state.h"

DragStateRecord DragState;

namespace {

HBITMAP SnapshotBitmap;  // the board as it looks without the dragged piece

void ShowBoardCursor(int id) { SetCursor(LoadCursorA(AppInstance, MAKEINTRESOURCEA(id))); }

Point PointerOf(LPARAM lParam) {
    return Point{static_cast<int32_t>(LOWORD(lParam)), static_cast<int32_t>(HIWORD(lParam))};
}

char DraggedPiece() { return PieceAt(CurrentPosition, DragState.fromFile, DragState.fromRank); }

// Copies the board, with the origin square already blanked, into the snapshot.
void TakeSnapshot(HDC dc) {
    HBITMAP bitmap = CreateCompatibleBitmap(dc, BOARD_PIXELS, BOARD_PIXELS);
    HGDIOBJ previous = SelectObject(SnapshotDC, bitmap);
    if (SnapshotBitmap && previous == SnapshotBitmap) DeleteObject(SnapshotBitmap);
    SnapshotBitmap = bitmap;
    BitBlt(SnapshotDC, 0, 0, BOARD_PIXELS, BOARD_PIXELS, dc, BOARD_ORIGIN, BOARD_ORIGIN, SRCCOPY);
}

// The dragged piece, lifted off the window: the board under the image drawn
// last is put back from the snapshot. The caller releases dc.
struct LiftedPiece {
    HDC dc;
    char letter;
    PieceSize size;
};

LiftedPiece LiftDraggedPiece(HWND window) {
    const LiftedPiece lifted{GetDC(window), DraggedPiece(), GetPieceSize(DraggedPiece())};
    BitBlt(lifted.dc, DragState.imageX, DragState.imageY, lifted.size.width, lifted.size.height,
           SnapshotDC, DragState.imageX - BOARD_ORIGIN, DragState.imageY - BOARD_ORIGIN, SRCCOPY);
    return lifted;
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
    HDC dc = GetDC(window);
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
    ReleaseDC(window, dc);
}

void DragPiece(HWND window, LPARAM lParam) {
    if (!DragState.active) return;
    ShowBoardCursor(IDC_GRAB);
    const LiftedPiece lifted = LiftDraggedPiece(window);
    const Point at = DragImagePosition(PointerOf(lParam), lifted.size.width, lifted.size.height);
    DrawPiece(window, lifted.letter, at.x, at.y);
    DragState.imageX = at.x;
    DragState.imageY = at.y;
    ReleaseDC(window, lifted.dc);
}

void DropPiece(HWND window, LPARAM lParam) {
    if (!DragState.active) return;
    ShowBoardCursor(IDC_POINTER);
    const LiftedPiece lifted = LiftDraggedPiece(window);
    const Square from{DragState.fromFile, DragState.fromRank};
    Square target{};
    if (IsLegalDrop(CurrentPosition, from, PointerOf(lParam), target)) {
        ApplyMove(GetParent(window), from, target);
    } else {
        DrawAtOrigin(window, lifted.letter, lifted.size);
    }
    EndDrag(window);
    ReleaseDC(window, lifted.dc);
    SendMessageA(GetParent(window), WM_NEXT_TURN, 0, 0);
}

void CancelDrag(HWND window) {
    if (!DragState.active || !window) return;
    const LiftedPiece lifted = LiftDraggedPiece(window);
    DrawAtOrigin(window, lifted.letter, lifted.size);
    EndDrag(window);
    ReleaseDC(window, lifted.dc);
}
