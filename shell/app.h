// What the windows of the program share: the instance, the main window, the
// control ids of its children and the message that passes the turn.
#pragma once

#include <windows.h>

// Sent to the main window whenever the turn may have passed: after every
// drop, every click on a player button and every computer move.
constexpr UINT WM_NEXT_TURN = WM_USER + 101;

constexpr int BOARD_ID = 1;
constexpr int MOVE_LIST_ID = 6;
constexpr int STATUS_BAR_ID = 7;

// The depth of the computer's search.
constexpr int COMPUTER_DEPTH = 5;

extern HINSTANCE AppInstance;
extern HWND MainWindowHandle;
