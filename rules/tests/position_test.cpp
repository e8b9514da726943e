#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>

#include "rules/position.h"
#include "rules/tests/test_positions.h"

TEST(Position, InitialRecordHasEveryFieldAndZeroElsewhere) {
    PositionRecord expected =
        MakePosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq 00 1");
    EXPECT_EQ(InitialPosition(), expected);
    // The record compares whole, terminating and reserved bytes included.
    for (std::size_t offset = 0; offset < sizeof expected; ++offset) {
        PositionRecord changed = expected;
        reinterpret_cast<char*>(&changed)[offset] ^= 1;
        EXPECT_FALSE(changed == expected) << offset;
    }
}

TEST(Position, SideAndKindOfPieceLettersAndOtherBytes) {
    const struct {
        char byte, side, kind;
    } cases[] = {
        {'K', 'w', 'k'},       {'Q', 'w', 'q'},
        {'P', 'w', 'p'},       {'k', 'b', 'k'},
        {'n', 'b', 'n'},       {'r', 'b', 'r'},
        {'.', NO_SIDE, '.'},   {'A', NO_SIDE, 'a'},
        {'Z', NO_SIDE, 'z'},   {'w', NO_SIDE, 'w'},
        {'\0', NO_SIDE, '\0'}, {'@', NO_SIDE, '@'},
        {'[', NO_SIDE, '['},   {static_cast<char>(0xCB), NO_SIDE, static_cast<char>(0xCB)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SideOf(c.byte), c.side) << int(c.byte);
        EXPECT_EQ(PieceKind(c.byte), c.kind) << int(c.byte);
    }
    EXPECT_EQ(SideIndex('w'), 0);
    EXPECT_EQ(SideIndex('b'), 1);
    EXPECT_EQ(SideIndex(NO_SIDE), -3);
}

TEST(Position, KingMissingForEachSide) {
    const struct {
        const char* diagram;
        char side;
        int expected;
    } cases[] = {
        {"4k3/8/8/8/8/8/8/4K3", 'w', 0}, {"4k3/8/8/8/8/8/8/4K3", 'b', 0},
        {"4k3/8/8/8/8/8/8/8", 'w', 1},   {"8/8/8/8/8/8/8/4K3", 'b', 1},
        {"8/8/8/8/8/8/8/7K", 'w', 0},    {"k7/8/8/8/8/8/8/8", 'b', 0},
        {"4k3/8/8/8/8/8/8/4K3", 'x', 1}, {"4k3/8/8/8/8/8/8/4K3", 'K', 1},
    };
    for (const auto& c : cases) {
        PositionRecord record = MakePosition(c.diagram);
        record.board[64] = c.side == 'w' ? 'K' : 'k';  // the byte after h8 is no square
        EXPECT_EQ(IsKingMissing(record, c.side), c.expected) << c.diagram << " " << c.side;
    }
}

TEST(Position, EnPassantFieldMatchesOnlyTheSquareItNames) {
    const struct {
        const char* field;
        int file, rank;  // the one square it names, or 0
    } cases[] = {{"00", 0, 0}, {"--", 0, 0}, {"@3", 0, 0}, {"I6", 0, 0}, {"A9", 0, 0},
                 {"e3", 0, 0}, {"E3", 5, 3}, {"H6", 8, 6}, {"A1", 1, 1}, {"H8", 8, 8}};
    for (const auto& c : cases) {
        PositionRecord record = InitialPosition();
        std::memcpy(record.enPassant, c.field, 2);
        for (int rank = -1; rank <= 10; ++rank) {
            for (int file = -1; file <= 10; ++file) {
                EXPECT_EQ(IsEnPassantSquare(record, file, rank),
                          file == c.file && rank == c.rank && c.file != 0)
                    << c.field << " at " << file << "," << rank;
            }
        }
    }
}
