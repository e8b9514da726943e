#include "shell/win32/status_bar.h"

#include "shell/texts.h"
#include "shell/win32/app.h"
#include "shell/win32/scoped_win.h"
#include "shell/win32/window_class.h"

namespace {

constexpr char STATUS_CLASS[] = "StatusWnd";
constexpr int STATUS_HEIGHT = 18;

// Fills a polygon with its outline and inside in one colour.
void FillBand(HDC dc, const POINT (&points)[6], COLORREF colour) {
    const ScopedGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, colour));
    const ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    const ScopedSelection penInDc(dc, pen);
    const ScopedSelection brushInDc(dc, brush);
    Polygon(dc, points, 6);
}

// A sunken frame, dark along the top and left, white along the bottom and
// right, and the greeting.
void DrawStatusBar(HWND window) {
    RECT r;
    GetClientRect(window, &r);
    const ScopedWindowDc dc(window);
    const POINT shadow[6] = {
        {r.left, r.top},         {r.right, r.top},           {r.right - 1, r.top + 1},
        {r.left + 1, r.top + 1}, {r.left + 1, r.bottom - 1}, {r.left, r.bottom}};
    FillBand(dc, shadow, GetSysColor(COLOR_BTNSHADOW));
    const POINT light[6] = {{r.right, r.bottom},        {r.right, r.top},
                            {r.right - 1, r.top + 1},   {r.right - 1, r.bottom - 1},
                            {r.left + 1, r.bottom - 1}, {r.left, r.bottom}};
    FillBand(dc, light, RGB(255, 255, 255));
    const int length = static_cast<int>(sizeof STATUS_GREETING - 1);
    SIZE extent{};
    GetTextExtentPoint32A(dc, STATUS_GREETING, length, &extent);
    TextOutA(dc, 3, (STATUS_HEIGHT - extent.cy) / 2, STATUS_GREETING, length);
}

LRESULT CALLBACK StatusWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            SetUpPrivateContext(window, CreateProgramFont(-12, 400, ANSI_CHARSET, FONT_SONGTI));
            return 0;
        case WM_PAINT: PaintWindow(window, DrawStatusBar); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

void CreateStatusBar(HWND parent, HINSTANCE instance) {
    RegisterProgramClass(STATUS_CLASS, StatusWndProc, instance);
    RECT client;
    GetClientRect(parent, &client);
    CreateWindowExA(0, STATUS_CLASS, "", WS_CHILD | WS_VISIBLE, 2, client.bottom - 20,
                    client.right - 4, STATUS_HEIGHT, parent,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(STATUS_BAR_ID)), instance,
                    nullptr);
}
