// What every window class of the program shares: a private device context
// and the button-face background, and a font chosen once at creation.
#pragma once

#include <windows.h>

// Registers a class with CS_OWNDC and a COLOR_BTNFACE brush. A null cursor
// means the system arrow.
void RegisterProgramClass(const char* name, WNDPROC procedure, HINSTANCE instance,
                          HICON icon = nullptr, HCURSOR cursor = nullptr);

// Selects the font and the button-face background colour into the window's
// private context, where they stay for every later drawing.
void SetUpPrivateContext(HWND window, HFONT font);

// Handles WM_PAINT: validates the window between BeginPaint and EndPaint and
// draws through draw, which takes the private context itself.
void PaintWindow(HWND window, void (*draw)(HWND));

// A font with the program's usual settings: normal width, no slant, no
// underline, default precision and quality, a Swiss family.
HFONT CreateProgramFont(int height, int weight, BYTE charset, const char* face);
