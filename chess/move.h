// The move encoding: origin, target and a kind in 16 bits, and a fixed-size
// move list so that generating moves never allocates.
#pragma once

#include <cstdint>

namespace chess {

using Move = uint32_t;
constexpr Move NO_MOVE = 0;

enum MoveKind : int {
    NORMAL = 0,
    DOUBLE_PUSH,
    CASTLE,
    EN_PASSANT,
    PROMOTE_KNIGHT,
    PROMOTE_BISHOP,
    PROMOTE_ROOK,
    PROMOTE_QUEEN
};

constexpr Move EncodeMove(int from, int to, int kind = NORMAL) {
    return static_cast<Move>(from | (to << 6) | (kind << 12));
}
constexpr int FromOf(Move move) { return move & 63; }
constexpr int ToOf(Move move) { return (move >> 6) & 63; }
constexpr int KindOf(Move move) { return (move >> 12) & 7; }
constexpr bool IsPromotion(Move move) { return KindOf(move) >= PROMOTE_KNIGHT; }
// The piece type a promotion makes (KNIGHT..QUEEN).
constexpr int PromotionType(Move move) { return KindOf(move) - PROMOTE_KNIGHT + 1; }

// No position has more than 218 legal moves; pseudo-legal ones stay below 256.
constexpr int MAX_MOVES = 256;

struct MoveList {
    Move moves[MAX_MOVES];
    int count = 0;
    void Add(Move move) { moves[count++] = move; }
};

}  // namespace chess
