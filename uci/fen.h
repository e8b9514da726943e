// Forsyth-Edwards Notation: reading a FEN into a position record, with a
// reason for every refusal, and writing a record back as a FEN.
#pragma once

#include <string>

#include "chess/castling.h"
#include "rules/position.h"
#include "uci/text.h"

constexpr int MAX_HALF_MOVE_CLOCK = 1000000;
constexpr int MAX_MOVE_NUMBER = 1000000;

// What a FEN describes: the record, the half-move clock, for which the
// record has no place, and the file of each castling right's rook, which
// only Chess960 moves away from the corners.
struct FenPosition {
    PositionRecord record{};
    int halfMoveClock = 0;
    chess::CastlingFiles castling = chess::STANDARD_CASTLING;
};

// Reads the fields of a FEN: board, side, castling, en passant, and then
// either both the half-move clock and the full-move number or neither
// (they default to 0 and 1). The castling field is standard, KQkq for a
// king on the e-file and rooks in the corners, or with chess960 either
// X-FEN (K and Q for the outermost rook on that side of the king, the
// rook's file letter for another) or Shredder-FEN (file letters only, such
// as HAha), with the king anywhere on its back rank. On failure, position
// is untouched and error says what is wrong.
bool ParseFen(const Words& fields, bool chess960, FenPosition& position, std::string& error);

// The castling field in X-FEN: each right as K, Q, k or q when its rook is
// in the corner or the outermost on its side of the king, and as the rook's
// file otherwise; "-" for none.
std::string CastlingField(const FenPosition& position);

// The position as a FEN, its castling field in X-FEN: a standard position
// is written in standard FEN.
std::string FormatFen(const FenPosition& position);
// The record as a FEN with the given half-move clock and standard castling.
std::string FormatFen(const PositionRecord& record, int halfMoveClock = 0);
