// Moves in long algebraic notation, the form the engine protocol uses:
// origin and target square, e.g. e2e4, with a trailing q on a promotion.
#pragma once

#include <string>

#include "rules/position.h"

// The move from from to to in position, with 'q' appended when a pawn
// reaches its last rank (the rules always promote to a queen).
std::string MoveText(const PositionRecord& position, Square from, Square to);

// The move that leads from position to one of its successors.
std::string SuccessorMoveText(const PositionRecord& position, const PositionRecord& successor);

// Reads text as a move of the side to move and, when the rules accept it,
// writes the position after it into next. On failure next is untouched and
// error says what is wrong with the move.
bool PlayMoveText(const PositionRecord& position, const std::string& text, PositionRecord& next,
                  std::string& error);
