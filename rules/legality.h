// Judging one proposed move, castling options and attacked squares.
#pragma once

#include "rules/position.h"

constexpr int MOVE_LEGAL = 1;
constexpr int MOVE_ILLEGAL = -1;
constexpr int MOVE_BAD_ORIGIN = -2;
constexpr int MOVE_BAD_TARGET = -3;

constexpr int PATH_NOT_LINE = -10;

constexpr int CASTLE_KING_SIDE = 1;
constexpr int CASTLE_QUEEN_SIDE = 2;

// MOVE_LEGAL when the piece on (fromFile, fromRank) may move to (toFile, toRank).
// Moves are pseudo-legal: leaving one's own king attacked is allowed. The side
// to move matters only for en passant.
int CheckMove(const PositionRecord& record, int fromFile, int fromRank, int toFile, int toRank);

// 1 when every square strictly between the two is empty, 0 when one is not,
// PATH_NOT_LINE when they share no line, -2 / -3 when the first / second is off the board.
int PathClear(const PositionRecord& record, int fromFile, int fromRank, int toFile, int toRank);

// CASTLE_KING_SIDE | CASTLE_QUEEN_SIDE for the castling moves open to side:
// 'w' examines White, any other byte Black.
int CastlingOptions(const PositionRecord& record, char side);

// 1 when a piece of bySide attacks (file, rank), else 0.
int SquareAttacked(const PositionRecord& record, int file, int rank, char bySide);
