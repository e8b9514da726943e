#include <gtest/gtest.h>

#include <cstring>

#include "shell/move_record.h"

// After White's move (Black to move) the entry is numbered; after Black's it
// is indented.
TEST(MoveRecord, WhiteMovesAreNumberedBlackMovesIndented) {
    const struct {
        Square from, to;
        char sideToMove;
        int32_t moveNumber;
        const char* text;
    } cases[] = {{{5, 2}, {5, 4}, 'b', 1, "1. E2 - E4"},
                 {{5, 7}, {5, 5}, 'w', 2, "             E7 - E5"},
                 {{7, 1}, {6, 3}, 'b', 10, "10. G1 - F3"},
                 {{8, 8}, {1, 1}, 'b', 2147483647, "2147483647. H8 - A1"},  // the longest entry
                 {{8, 2}, {1, 1}, 'w', 2147483647, "             H2 - A1"}};
    for (const auto& c : cases) {
        char text[MOVE_RECORD_SIZE];
        const int length = FormatMoveRecord(text, c.from, c.to, c.sideToMove, c.moveNumber);
        EXPECT_STREQ(text, c.text);
        EXPECT_EQ(length, static_cast<int>(std::strlen(c.text)));
    }
}
