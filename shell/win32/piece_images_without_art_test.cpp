// Runs the piece drawing in a program that carries no bitmaps, as when a
// resource fails to load: the size is (0, 0) and nothing is drawn. A Windows
// console program; it prints one line per check and "N passed, N failed".
#include <windows.h>

#include <cstdio>
#include <initializer_list>

#include "shell/win32/piece_images.h"
#include "shell/win32/scoped_win.h"

namespace {

int Passed = 0, Failed = 0;

void Check(bool ok, const char* what) {
    std::printf("%s %s\n", ok ? "PASS" : "FAIL", what);
    (ok ? Passed : Failed) += 1;
}

constexpr COLORREF BACKGROUND = RGB(0, 128, 128);

HWND MakeCanvas() {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 80, 80, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    const ScopedWindowDc dc(window);
    const ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(BACKGROUND));
    const RECT all{0, 0, 80, 80};
    FillRect(dc, &all, brush);
    return window;
}

bool CanvasUnchanged(HWND window) {
    const ScopedWindowDc dc(window);
    bool same = true;
    for (int y = 0; y < 80 && same; y += 3) {
        for (int x = 0; x < 80 && same; x += 3) same = GetPixel(dc, x, y) == BACKGROUND;
    }
    return same;
}

}  // namespace

int main() {
    for (char letter : {'K', 'q', 'B', 'p'}) {
        const PieceSize size = GetPieceSize(letter);
        Check(size.width == 0 && size.height == 0, "a piece without its bitmap measures (0, 0)");
    }
    HWND canvas = MakeCanvas();
    Check(CanvasUnchanged(canvas), "the canvas starts teal");
    for (char letter : {'K', 'n', 'R', 'p'}) DrawPiece(canvas, letter, 20, 20);
    Check(CanvasUnchanged(canvas), "a piece without its bitmaps draws nothing");
    DestroyWindow(canvas);
    std::printf("%d passed, %d failed\n", Passed, Failed);
    return Failed == 0 ? 0 : 1;
}
