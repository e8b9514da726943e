// The text of one entry of the move record list.
#pragma once

#include "rules/position.h"

constexpr int MOVE_RECORD_SIZE = 24;  // the longest entry is 19 characters

// Writes the entry for the move from -> to into text: "12. E2 - E4" after a
// White move, 13 spaces and "E7 - E5" after a Black one. sideToMove and
// moveNumber are those of the position after the move. Returns the length.
int FormatMoveRecord(char (&text)[MOVE_RECORD_SIZE], Square from, Square to, char sideToMove,
                     int32_t moveNumber);
