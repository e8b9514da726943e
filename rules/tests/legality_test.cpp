// What the random comparisons of the generators with CheckMove cannot show:
// the result codes, castling only from the king's square, en passant and the
// side to move, PathClear's answers and when castling is open.
#include <gtest/gtest.h>

#include "rules/legality.h"
#include "rules/tests/test_positions.h"

TEST(CheckMove, JudgesEachCase) {
    // Records as "diagram side castling enPassant".
    const char* const ROOK = "8/8/8/8/8/8/8/R7";
    const char* const CASTLING = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq";
    const struct {
        const char* record;
        Square from, to;
        int expected;
    } cases[] = {
        {"8/8/8/8/8/8/8/8", Sq("d4"), Sq("d5"), MOVE_BAD_ORIGIN},
        {ROOK, {0, 1}, {1, 2}, MOVE_BAD_ORIGIN},
        {ROOK, {1, 0}, {9, 9}, MOVE_BAD_ORIGIN},
        {ROOK, {1, 1}, {1, 9}, MOVE_BAD_TARGET},
        {ROOK, {1, 1}, {0, 1}, MOVE_BAD_TARGET},
        {ROOK, {1, 1}, {9, 1}, MOVE_BAD_TARGET},
        {ROOK, {1, 1}, {1, 1}, MOVE_ILLEGAL},
        {"7R/8/8/8/8/8/8/7r", Sq("h1"), Sq("h8"), MOVE_LEGAL},
        {CASTLING, Sq("e1"), Sq("g1"), MOVE_LEGAL},
        {CASTLING, Sq("e8"), Sq("c8"), MOVE_LEGAL},
        {CASTLING, Sq("e1"), Sq("g2"), MOVE_ILLEGAL},
        {"r3k2r/8/8/8/8/8/8/R2K3R w KQkq", Sq("d1"), Sq("f1"), MOVE_ILLEGAL},
        {"R3K2R/8/8/8/8/8/8/r3k2r w KQkq", Sq("e8"), Sq("g8"), MOVE_ILLEGAL},
        {"R3K2R/8/8/8/8/8/8/r3k2r w KQkq", Sq("e1"), Sq("c1"), MOVE_ILLEGAL},
        {"8/8/8/3pP3/8/8/8/8 w ---- D6", Sq("e5"), Sq("d6"), MOVE_LEGAL},
        {"8/8/8/3pP3/8/8/8/8 b ---- D6", Sq("e5"), Sq("d6"), MOVE_ILLEGAL},
        {"8/8/8/8/3Pp3/8/8/8 b ---- D3", Sq("e4"), Sq("d3"), MOVE_LEGAL},
        {"8/8/8/8/3Pp3/8/8/8 w ---- D3", Sq("e4"), Sq("d3"), MOVE_ILLEGAL},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckMove(MakePosition(c.record), c.from.file, c.from.rank, c.to.file, c.to.rank),
                  c.expected)
            << c.record << " " << MoveName(Move{c.from, c.to});
    }
}

TEST(PathClear, AnswersForLinesBlockersAndOffBoardSquares) {
    const PositionRecord record = MakePosition("8/8/8/2ppp3/2p1p3/2ppp3/8/8");
    for (const char* far : {"d8", "h8", "h4", "g1", "d1", "a1", "a4", "a7"}) {
        EXPECT_EQ(PathClear(record, 4, 4, Sq(far).file, Sq(far).rank), 0) << far;
        EXPECT_EQ(PathClear(record, Sq(far).file, Sq(far).rank, 4, 4), 0) << far;
    }
    for (const char* near : {"d5", "e5", "e4", "e3", "d3", "c3", "c4", "c5"})
        EXPECT_EQ(PathClear(record, 4, 4, Sq(near).file, Sq(near).rank), 1) << near;
    const struct {
        Square from, to;
        int expected;
    } cases[] = {
        {{1, 1}, {8, 8}, 0},
        {{1, 1}, {2, 3}, PATH_NOT_LINE},
        {{4, 4}, {4, 4}, PATH_NOT_LINE},
        {{1, 8}, {2, 7}, 1},
        {{0, 1}, {3, 1}, -2},
        {{1, 1}, {1, 9}, -3},
        {{9, 9}, {0, 0}, -2},
        {{8, 1}, {8, 2}, 1},
        {{1, 2}, {8, 2}, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PathClear(record, c.from.file, c.from.rank, c.to.file, c.to.rank), c.expected)
            << SquareName(c.from) << SquareName(c.to);
    }
}

TEST(CastlingOptions, EachAttackedOrOccupiedSquareClosesItsWing) {
    const struct {
        const char* record;
        char side;
        int expected;
    } cases[] = {
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq", 'w', CASTLE_KING_SIDE | CASTLE_QUEEN_SIDE},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQ-q", 'b', CASTLE_QUEEN_SIDE},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQ-q", 'x', CASTLE_QUEEN_SIDE},  // any byte but 'w': Black
        {"r3k2r/8/8/8/8/8/8/R3K2R w QKqk", 'w', 0},
        {"8/8/8/8/8/8/8/8 w KQkq", 'b', 3},  // the king and rooks are not looked for
        {"4k3/8/8/8/8/8/8/RN2K2R w KQ--", 'w', CASTLE_KING_SIDE},
        {"4k3/8/8/8/8/8/8/R2QK2R w KQ--", 'w', CASTLE_KING_SIDE},
        {"4k3/8/8/8/8/8/8/R3K1nR w KQ--", 'w', CASTLE_QUEEN_SIDE},
        {"4k3/8/8/8/8/8/2n5/R3K2R w KQ--", 'w', 0},
        {"4k3/8/8/8/8/8/6k1/R3K2R w KQ--", 'w', CASTLE_QUEEN_SIDE},
        {"4k3/8/8/8/8/8/7p/R3K2R w KQ--", 'w', CASTLE_QUEEN_SIDE},
        {"1r2k3/8/8/8/8/8/8/R3K2R w KQ--", 'w', CASTLE_KING_SIDE | CASTLE_QUEEN_SIDE},
        {"3rk3/8/8/8/8/8/8/R3K2R w KQ--", 'w', CASTLE_KING_SIDE},
        {"5r1k/8/8/8/8/8/8/R3K2R w KQ--", 'w', CASTLE_QUEEN_SIDE},
        {"r3k2r/3P4/8/8/8/8/8/R3K2R w KQkq", 'b', 0},
        {"r3k2r/8/8/8/8/8/8/R3KR2 w KQkq", 'b', CASTLE_QUEEN_SIDE},
        {"r3k2r/8/8/8/8/8/8/1R2K3 w --kq", 'b', CASTLE_KING_SIDE | CASTLE_QUEEN_SIDE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CastlingOptions(MakePosition(c.record), c.side), c.expected)
            << c.record << c.side;
}
