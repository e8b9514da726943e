// Runs the piece drawing in a program that carries no bitmaps, as when a
// resource fails to load: the size is (0, 0) and nothing is drawn. A Windows
// console program; it prints one line per check and "N passed, N failed".
#include <windows.h>

#include <cstdio>
#include <initializer_list>

#include "shell/win32/piece_images.h"
#include "shell/win32/scoped_win.h"

namespace {

constexpr COLORREF TEAL = RGB(0, 128, 128);
int Passed = 0, Failed = 0;

void Check(bool ok, const char* what) {
    std::printf("%s %s\n", ok ? "PASS" : "FAIL", what);
    (ok ? Passed : Failed) += 1;
}

// Whether every third pixel of the 80 x 80 window is teal.
bool AllTeal(HWND window) {
    const ScopedWindowDc dc(window);
    for (int k = 0; k < 27 * 27; ++k) {
        if (GetPixel(dc, k % 27 * 3, k / 27 * 3) != TEAL) return false;
    }
    return true;
}

}  // namespace

int main() {
    for (char letter : {'K', 'q', 'B', 'p'}) {
        const PieceSize size = GetPieceSize(letter);
        Check(size.width == 0 && size.height == 0, "a piece without its bitmap measures (0, 0)");
    }
    HWND canvas = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 80, 80, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    const RECT all{0, 0, 80, 80};
    FillRect(ScopedWindowDc(canvas), &all, ScopedGdiObject<HBRUSH>(CreateSolidBrush(TEAL)));
    Check(AllTeal(canvas), "the canvas starts teal");
    for (char letter : {'K', 'n', 'R', 'p'}) DrawPiece(canvas, letter, 20, 20);
    Check(AllTeal(canvas), "a piece without its bitmaps draws nothing");
    DestroyWindow(canvas);
    std::printf("%d passed, %d failed\n", Passed, Failed);
    return Failed == 0 ? 0 : 1;
}
