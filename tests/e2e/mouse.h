// The mouse, as the user moves it: absolute pointer moves and left-button
// presses injected with SendInput, each move confirmed with GetCursorPos,
// and a press made only once the game has handled its pending pointer events.
#pragma once

#include <windows.h>

#include <functional>

// Under Wine a program's pointer confinement is by default an X pointer
// grab, during which injected moves do not reach the X pointer; when the
// grab ends, the program reports the stale X position as a pointer move,
// at a moment no one can tell. Wine's X11 driver then confines the pointer
// without a grab, for the programs started after this call.
void KeepPointerUngrabbed();

// Moves the pointer to a screen point (or the nearest point that the
// confinement allows) and waits until the system reports it there.
bool MovePointer(POINT target);

// Waits until the game's thread has handled what was sent to it and then
// waited for input once; it may be searching for a move meanwhile.
void LetGameCatchUp(HWND game);

void PressLeft();
void ReleaseLeft();
void ReleaseLeftIfPressed();  // clean-up after a failed check

// Whether the pointer may go anywhere on the screen; the game confines it
// while it drags a piece.
bool PointerIsFree();

// Press at from, the pointer moved to to through steps points, then
// interrupt (if any) and the release.
// Returns whether the press picked a piece up. Fails when the pointer cannot
// be placed or stays confined after the release.
bool DragPointer(HWND game, POINT from, POINT to, int steps,
                 const std::function<void()>& interrupt = nullptr);

void ClickAt(HWND game, POINT at);
