#include <gtest/gtest.h>

#include <string>

#include "shell/move_record.h"

namespace {

std::string Record(Square from, Square to, char sideToMove, int32_t moveNumber) {
    char text[MOVE_RECORD_SIZE];
    const int length = FormatMoveRecord(text, from, to, sideToMove, moveNumber);
    EXPECT_EQ(length, static_cast<int>(std::string(text).size()));
    return text;
}

}  // namespace

TEST(MoveRecord, WhiteMovesAreNumberedBlackMovesIndented) {
    EXPECT_EQ(Record({5, 2}, {5, 4}, 'b', 1), "1. E2 - E4");
    EXPECT_EQ(Record({5, 7}, {5, 5}, 'w', 2), "             E7 - E5");
    EXPECT_EQ(Record({7, 1}, {6, 3}, 'b', 10), "10. G1 - F3");
    EXPECT_EQ(Record({5, 1}, {7, 1}, 'b', 123), "123. E1 - G1");  // castling: the king's squares
    EXPECT_EQ(Record({1, 7}, {1, 8}, 'b', 40), "40. A7 - A8");    // promotion has no mark
}

TEST(MoveRecord, TheLongestNumberStillFits) {
    const std::string text = Record({8, 8}, {1, 1}, 'b', 2147483647);
    EXPECT_EQ(text, "2147483647. H8 - A1");
    EXPECT_LE(text.size(), 20u);
}
