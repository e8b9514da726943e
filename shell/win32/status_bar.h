// The status bar along the bottom of the main window, with its greeting.
#pragma once

#include <windows.h>

void CreateStatusBar(HWND parent, HINSTANCE instance);
