// Static evaluation, in points from the side to move's point of view, and
// the engine's one notion of a game's end: a captured king.
#pragma once

#include <cstdint>

#include "rules/position.h"

constexpr float KING_LOST_SCORE = 9000.0f;

float EvaluatePosition(const PositionRecord& position);

// The evaluation in two steps, so that the search can score the successors of
// a position from the squares that each move changed instead of the whole
// board: EvaluatePosition(p) == EvaluateBoardSum(p, SumBoard(p)), and
// SumChildBoard(SumBoard(p), p, c) == SumBoard(c).
using BoardSum = int64_t;
BoardSum SumBoard(const PositionRecord& position);
BoardSum SumChildBoard(BoardSum parentSum, const PositionRecord& parent,
                       const PositionRecord& child);
float EvaluateBoardSum(const PositionRecord& position, BoardSum sum);
