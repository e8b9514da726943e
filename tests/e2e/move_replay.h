// The move record list read back as a game: each entry parsed and replayed
// with the rules, so that the board on the screen can be checked against it.
#pragma once

#include <string>
#include <vector>

#include "rules/position.h"

struct RecordedMove {
    bool white;  // White's entries carry the move number, Black's 13 spaces
    int number;  // White's move number; 0 for Black's entries
    Square from;
    Square to;
};

// Reads "12. E2 - E4" or 13 spaces then "E7 - E5"; false for anything else.
bool ParseEntry(const std::string& text, RecordedMove& move);

// Replays the entries from the initial position. Each must be a move the
// rules accept for the side to move, with the right number; error names the
// first that is not.
bool ReplayEntries(const std::vector<std::string>& entries, PositionRecord& position,
                   std::string& error);

// Some move the rules accept for the side to move that does not take a king.
bool FindLegalMove(const PositionRecord& position, Square& from, Square& to);

// Whether the side to move still has its king.
bool SideToMoveHasKing(const PositionRecord& position);
