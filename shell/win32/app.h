// What the windows of the program share: the instance and the main window,
// and the program's constants.
#pragma once

#include <windows.h>

#include "shell/app_constants.h"

static_assert(WM_NEXT_TURN == static_cast<UINT>(WM_USER + 101),
              "the turn message is a private message");

extern HINSTANCE AppInstance;
extern HWND MainWindowHandle;
