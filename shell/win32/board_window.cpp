#include "shell/win32/board_window.h"

#include "board/board_layout.h"
#include "resources/resource_ids.h"
#include "shell/game_state.h"
#include "shell/win32/app.h"
#include "shell/win32/drag.h"
#include "shell/win32/piece_images.h"
#include "shell/win32/scoped_win.h"
#include "shell/win32/window_class.h"

HDC SnapshotDC;

namespace {

constexpr char BOARD_CLASS[] = "DesktopWnd";

// The label font and SnapshotDC live as long as the window.
void OnBoardCreate(HWND window) {
    SetUpPrivateContext(window, CreateProgramFont(-12, 400, ANSI_CHARSET, "Arial"));
    const ScopedWindowDc dc(window);
    SnapshotDC = CreateCompatibleDC(dc);
}

void DrawLabel(HDC dc, int x, int y, char character) {
    char text[4];
    const int length = wsprintfA(text, "%c", character);
    TextOutA(dc, x, y, text, length);
}

// The 64 squares, row by row from the top, with one brush per colour.
void FillAllSquares(HDC dc) {
    const ScopedGdiObject<HBRUSH> dark(CreateSolidBrush(DARK_SQUARE_COLOR));
    const ScopedGdiObject<HBRUSH> light(CreateSolidBrush(LIGHT_SQUARE_COLOR));
    for (int row = 8, y = BOARD_ORIGIN; row >= 1; --row, y += SQUARE_SIZE) {
        for (int column = 1, x = BOARD_ORIGIN; column <= 8; ++column, x += SQUARE_SIZE) {
            const ScopedGdiObject<HRGN> region(
                CreateRectRgn(x, y, x + SQUARE_SIZE, y + SQUARE_SIZE));
            FillRgn(dc, region, IsDarkSquare(column, row) ? dark : light);
        }
    }
}

// The whole board: squares and labels, then the pieces over them.
void DrawBoard(HWND window) {
    DrawBoardSquares(window);
    DrawAllPieces(window);
}

LRESULT CALLBACK BoardWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: OnBoardCreate(window); return 0;
        case WM_PAINT: PaintWindow(window, DrawBoard); return 0;
        case WM_LBUTTONDOWN: PickUpPiece(window, lParam); return 0;
        case WM_MOUSEMOVE: DragPiece(window, lParam); return 0;
        case WM_LBUTTONUP: DropPiece(window, lParam); return 0;
        // The system took the mouse away in the middle of a drag.
        case WM_CAPTURECHANGED: CancelDrag(window); return 0;
        case WM_CANCELMODE: CancelDrag(window); break;
        default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void FillSquare(HDC dc, int file, int rank) {
    Point corner{file, rank};
    if (!SquareToPixel(corner)) return;
    const ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(SquareColor(file, rank)));
    const ScopedGdiObject<HRGN> region(
        CreateRectRgn(corner.x, corner.y, corner.x + SQUARE_SIZE, corner.y + SQUARE_SIZE));
    FillRgn(dc, region, brush);
}

void DrawBoardSquares(HWND window) {
    const ScopedWindowDc dc(window);
    FillAllSquares(dc);
    for (int k = 1; k <= 8; ++k) {
        DrawLabel(dc, 40 * k - 6, 344, static_cast<char>('A' + k - 1));
        DrawLabel(dc, 4, 354 - 40 * k, static_cast<char>('0' + k));
    }
}

void DrawAllPieces(HWND window) {
    for (int rank = 8; rank >= 1; --rank) {
        for (int file = 1; file <= 8; ++file) {
            const char letter = PieceAt(CurrentPosition, file, rank);
            if (letter == EMPTY_SQUARE) continue;
            Point corner{file, rank};
            SquareToPixel(corner);
            const PieceSize size = GetPieceSize(letter);
            const Point rest = RestingPosition(corner, size.width, size.height);
            DrawPiece(window, letter, rest.x, rest.y);
        }
    }
}

void CreateBoardWindow(HWND parent, HINSTANCE instance) {
    RegisterProgramClass(BOARD_CLASS, BoardWndProc, instance, nullptr,
                         LoadCursorA(instance, MAKEINTRESOURCEA(IDC_POINTER)));
    CreateWindowExA(0, BOARD_CLASS, "", WS_CHILD | WS_VISIBLE, 10, 20, BOARD_WINDOW_SIZE,
                    BOARD_WINDOW_SIZE, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(BOARD_ID)), instance, nullptr);
}
