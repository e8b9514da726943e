// Moves on the board: applying one, and the computer's turn.
#pragma once

#include <windows.h>

#include "rules/position.h"

// Makes the move on CurrentPosition, repaints each changed square at once,
// in square order, and appends the move to the move record list.
void ApplyMove(HWND mainWindow, Square from, Square to);

// Searches position for the side to move and plays the move, or announces
// the other side's win when there is none. The next turn is delivered
// through the message loop, after any input and painting that waited.
void PlayComputerMove(HWND mainWindow, PositionRecord position);

// The main window's handling of its next-turn timer.
void OnNextTurnTimer(HWND mainWindow);

// The engine's report that memory ran out, shown on the GUI thread.
void ShowOutOfMemory();
