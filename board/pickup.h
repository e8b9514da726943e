// The board's decisions about a drag that depend only on the game.
#pragma once

#include <cstdint>

#include "board/board_layout.h"
#include "rules/position.h"

constexpr int32_t HUMAN_PLAYER = 0;
constexpr int32_t COMPUTER_PLAYER = 1;

// Whether a press at pixel picks up a piece: one of the side to move, when
// that side is played by the human. square receives the piece's square.
bool CanPickUp(const PositionRecord& position, const int32_t playerKinds[2], Point pixel,
               Square& square);

// Whether a drop at pixel of the piece from square from makes a move; target
// receives the square. A drop in the margin is refused like an illegal move.
bool IsLegalDrop(const PositionRecord& position, Square from, Point pixel, Square& target);

// The board indexes (a1 = 0) whose bytes differ between the two records, in
// increasing order; returns how many were written into changed.
int ChangedSquares(const PositionRecord& before, const PositionRecord& after, int changed[64]);
