// The player buttons: for each side, whether the human or the computer plays.
#pragma once

#include <windows.h>

void CreatePlayerPanel(HWND parent, HINSTANCE instance);
