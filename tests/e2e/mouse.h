// The mouse, as the user moves it: absolute pointer moves and left-button
// presses injected with SendInput, each move confirmed with GetCursorPos.
//
// Under Wine the X server's pointer can lag behind: while the game confines
// the pointer it holds a pointer grab, moves made meanwhile do not reach the
// X pointer, and when the grab ends the game's thread reports the stale X
// position as a pointer move of its own. So a move is repeated until it
// sticks, and before a press the game's thread is given the chance to report
// whatever it still has pending.
#pragma once

#include <windows.h>

// Moves the pointer to a screen point and waits until the system reports it
// there, or at the nearest point of the rectangle that confines it. The move
// is sent again if the pointer ends up elsewhere. False when it never got there.
bool MovePointer(POINT target);

// Moves the pointer for a press over the game's window: it must still be
// there after the game's thread has handled its pending pointer events.
bool PlacePointer(POINT target, HWND game);

// Waits until the game's thread has been idle once, having handled every
// pointer event that was pending for it.
void LetGameCatchUp(HWND game);

void PressLeft();
void ReleaseLeft();

// Releases the left button if this program left it pressed; for clean-up
// after a failed check.
void ReleaseLeftIfPressed();

// Press and release at one point.
bool ClickAt(POINT target, HWND game);

// Press at from, the pointer moved there through steps intermediate points,
// release at to. Returns false when a pointer move was not confirmed; the
// button is released in any case.
bool DragBetween(POINT from, POINT to, int steps, HWND game);

// Whether the pointer is free to go anywhere on the screen.
bool PointerIsFree();
