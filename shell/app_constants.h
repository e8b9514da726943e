// The program's fixed numbers that the windows share: the message that passes
// the turn, the control ids of the main window's children and the depth of the
// computer's search. Plain numbers, free of the window system.
#pragma once

// Sent to the main window whenever the turn may have passed: after every
// drop, every click on a player button and every computer move. WM_USER + 101.
constexpr unsigned int WM_NEXT_TURN = 0x0400 + 101;

constexpr int BOARD_ID = 1;
constexpr int MOVE_LIST_ID = 6;
constexpr int STATUS_BAR_ID = 7;

// The depth of the computer's search.
constexpr int COMPUTER_DEPTH = 5;
