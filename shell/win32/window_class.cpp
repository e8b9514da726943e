#include "shell/win32/window_class.h"

#include "shell/win32/scoped_win.h"

void RegisterProgramClass(const char* name, WNDPROC procedure, HINSTANCE instance, HICON icon,
                          HCURSOR cursor) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor =
        cursor ? cursor : LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
}

void SetUpPrivateContext(HWND window, HFONT font) {
    const ScopedWindowDc dc(window);
    SelectObject(dc, font);  // for good: the font lives as long as the process
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
}

void PaintWindow(HWND window, void (*draw)(HWND)) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    draw(window);
    EndPaint(window, &paint);
}

HFONT CreateProgramFont(int height, int weight, BYTE charset, const char* face) {
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, charset, 0, 0, 0, FF_SWISS,
                       face);
}
