// The game's message boxes: standard dialog boxes (#32770) owned by its main
// window, whose text is the static control 0xFFFF and whose OK button is 1.
#pragma once

#include <windows.h>

#include <string>

// The visible box owned by owner, or nullptr.
HWND FindMessageBox(HWND owner);

// A window's text in the ANSI code page.
std::string WindowTextAnsi(HWND window);

// The message of a box.
std::string MessageBoxText(HWND box);

// Presses OK and waits for the box to go; false when it stayed.
bool DismissMessageBox(HWND box);

// Dismisses every box that owner shows; how many there were.
int DismissMessageBoxes(HWND owner);

// Waits for a box owned by owner; nullptr at the deadline.
HWND WaitForMessageBox(HWND owner, int timeoutMs);
