// The move record list (control 6), read from outside with the list-box
// messages; its entries come back in the ANSI code page, as the game wrote them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

constexpr int MOVE_LIST_ID = 6;

// False when the list did not answer in time.
bool ListCount(HWND list, int& count);
bool ListSelection(HWND list, int& index);  // -1 when nothing is selected
bool ListEntries(HWND list, std::vector<std::string>& entries);

// Waits until the list holds at least count entries; false at the deadline.
bool WaitForListCount(HWND list, int count, int timeoutMs);
