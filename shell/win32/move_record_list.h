// The move record list: a standard list box with one entry per move.
#pragma once

#include <windows.h>

#include "rules/position.h"

void CreateMoveRecordList(HWND parent, HINSTANCE instance);

// Appends the entry for the move just made (CurrentPosition already holds
// the position after it) and selects it, which scrolls it into view.
void AppendMoveRecord(HWND list, Square from, Square to);
