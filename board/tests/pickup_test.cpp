#include <gtest/gtest.h>

#include <cstring>

#include "board/pickup.h"
#include "rules/make_move.h"

namespace {

// The pixel at the centre of a square.
Point Centre(int file, int rank) {
    Point point{file, rank};
    SquareToPixel(point);
    return Point{point.x + 20, point.y + 20};
}

const int32_t BOTH_HUMAN[2] = {HUMAN_PLAYER, HUMAN_PLAYER};

}  // namespace

TEST(PickUp, OnlyPiecesOfTheSideToMovePlayedByTheHuman) {
    const PositionRecord start = InitialPosition();
    Square square{};
    EXPECT_TRUE(CanPickUp(start, BOTH_HUMAN, Centre(5, 2), square));
    EXPECT_EQ(square, (Square{5, 2}));
    EXPECT_FALSE(CanPickUp(start, BOTH_HUMAN, Centre(5, 7), square));  // Black's pawn
    EXPECT_FALSE(CanPickUp(start, BOTH_HUMAN, Centre(4, 4), square));  // empty
    EXPECT_FALSE(CanPickUp(start, BOTH_HUMAN, Point{5, 5}, square));   // margin
    EXPECT_FALSE(CanPickUp(start, BOTH_HUMAN, Point{359, 200}, square));

    const int32_t whiteComputer[2] = {COMPUTER_PLAYER, HUMAN_PLAYER};
    EXPECT_FALSE(CanPickUp(start, whiteComputer, Centre(5, 2), square));
    const int32_t blackComputer[2] = {HUMAN_PLAYER, COMPUTER_PLAYER};
    EXPECT_TRUE(CanPickUp(start, blackComputer, Centre(5, 2), square));

    PositionRecord afterE4;
    MakeMove(start, 5, 2, 5, 4, afterE4);
    EXPECT_TRUE(CanPickUp(afterE4, BOTH_HUMAN, Centre(5, 7), square));
    EXPECT_FALSE(CanPickUp(afterE4, blackComputer, Centre(5, 7), square));
    EXPECT_FALSE(CanPickUp(afterE4, BOTH_HUMAN, Centre(5, 4), square));
}

TEST(PickUp, APieceCanBePickedUpAfterTheGameIsDecided) {
    PositionRecord position = InitialPosition();
    position.board[60] = EMPTY_SQUARE;  // Black's king is gone
    position.sideToMove = 'w';
    Square square{};
    EXPECT_TRUE(CanPickUp(position, BOTH_HUMAN, Centre(5, 2), square));
}

TEST(Drop, LegalMovesOnlyAndNeverInTheMargin) {
    const PositionRecord start = InitialPosition();
    Square target{};
    EXPECT_TRUE(IsLegalDrop(start, Square{5, 2}, Centre(5, 4), target));
    EXPECT_EQ(target, (Square{5, 4}));
    EXPECT_FALSE(IsLegalDrop(start, Square{5, 2}, Centre(5, 5), target));
    EXPECT_FALSE(IsLegalDrop(start, Square{5, 2}, Centre(5, 2), target));  // back on its square
    EXPECT_FALSE(IsLegalDrop(start, Square{7, 1}, Centre(5, 2), target));  // own piece
    EXPECT_FALSE(IsLegalDrop(start, Square{5, 2}, Point{10, 10}, target));
}

TEST(Drop, ChangedSquaresInBoardOrder) {
    PositionRecord position = InitialPosition();
    std::memcpy(position.board, "RNBQK00RPPPPPPPP", 16);
    PositionRecord castled;
    MakeMove(position, 5, 1, 7, 1, castled);
    int changed[64];
    ASSERT_EQ(ChangedSquares(position, castled, changed), 4);
    EXPECT_EQ(changed[0], 4);  // e1
    EXPECT_EQ(changed[1], 5);  // f1
    EXPECT_EQ(changed[2], 6);  // g1
    EXPECT_EQ(changed[3], 7);  // h1

    PositionRecord afterE4;
    MakeMove(InitialPosition(), 5, 2, 5, 4, afterE4);
    ASSERT_EQ(ChangedSquares(InitialPosition(), afterE4, changed), 2);
    EXPECT_EQ(changed[0], 12);
    EXPECT_EQ(changed[1], 28);
    EXPECT_EQ(ChangedSquares(afterE4, afterE4, changed), 0);
}
