// Forsyth-Edwards Notation: reading a FEN into a position record, with a
// reason for every refusal, and writing a record back as a FEN.
#pragma once

#include <string>

#include "rules/position.h"
#include "uci/text.h"

constexpr int MAX_HALF_MOVE_CLOCK = 1000000;
constexpr int MAX_MOVE_NUMBER = 1000000;

// Reads the fields of a FEN: board, side, castling, en passant, and then
// either both the half-move clock and the full-move number or neither
// (they default to 0 and 1). The record has no place for the clock, which
// goes to halfMoveClock when it is given. On failure, record is untouched
// and error says what is wrong.
bool ParseFenFields(const Words& fields, PositionRecord& record, std::string& error,
                    int* halfMoveClock = nullptr);

// The record as a FEN with the given half-move clock.
std::string FormatFen(const PositionRecord& record, int halfMoveClock = 0);
