#include <gtest/gtest.h>

#include "rules/position.h"

TEST(Position, ReadsTheInitialRecord) {
    const PositionRecord record = InitialPosition();
    EXPECT_EQ(PieceAt(record, 1, 1), 'R');
    EXPECT_EQ(PieceAt(record, 5, 1), 'K');
    EXPECT_EQ(PieceAt(record, 4, 8), 'q');
    EXPECT_EQ(PieceAt(record, 4, 4), EMPTY_SQUARE);
    EXPECT_EQ(PieceAt(record, 0, 1), OFF_BOARD);
    EXPECT_EQ(PieceAt(record, 1, 9), OFF_BOARD);
}
