#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "rules/position.h"
#include "rules/tests/test_positions.h"

TEST(Position, ReadsTheInitialRecord) {
    const PositionRecord record = InitialPosition();
    EXPECT_EQ(PieceAt(record, 1, 1), 'R');
    EXPECT_EQ(PieceAt(record, 5, 1), 'K');
    EXPECT_EQ(PieceAt(record, 4, 8), 'q');
    EXPECT_EQ(PieceAt(record, 4, 4), EMPTY_SQUARE);
    EXPECT_EQ(PieceAt(record, 0, 1), OFF_BOARD);
    EXPECT_EQ(PieceAt(record, 1, 9), OFF_BOARD);
}

TEST(Position, InitialRecordHasEveryFieldAndZeroElsewhere) {
    const PositionRecord record = InitialPosition();
    EXPECT_EQ(std::string(record.board, 64),
              "RNBQKBNRPPPPPPPP00000000000000000000000000000000pppppppprnbqkbnr");
    EXPECT_EQ(record.board[64], 0);
    EXPECT_EQ(record.sideToMove, 'w');
    EXPECT_EQ(std::string(record.castling, 4), "KQkq");
    EXPECT_EQ(record.castling[4], 0);
    EXPECT_EQ(std::string(record.enPassant, 2), "00");
    EXPECT_EQ(record.enPassant[2], 0);
    EXPECT_EQ(record.reserved[0], 0);
    EXPECT_EQ(record.reserved[1], 0);
    EXPECT_EQ(record.moveNumber, 1);

    // Built twice, the record is the same byte for byte, padding included.
    const PositionRecord again = InitialPosition();
    EXPECT_EQ(std::memcmp(&record, &again, sizeof record), 0);
    EXPECT_EQ(record,
              MakePosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", 'w', "KQkq", "00", 1));
}

TEST(Position, PieceAtReadsEverySquareOfTheInitialRecord) {
    const PositionRecord record = InitialPosition();
    EXPECT_EQ(PieceAt(record, 4, 1), 'Q');
    EXPECT_EQ(PieceAt(record, 5, 8), 'k');
    EXPECT_EQ(PieceAt(record, 1, 7), 'p');
    EXPECT_EQ(PieceAt(record, 8, 8), 'r');
    EXPECT_EQ(PieceAt(record, 2, 1), 'N');
    for (int rank = 1; rank <= 8; ++rank) {
        for (int file = 1; file <= 8; ++file)
            EXPECT_EQ(PieceAt(record, file, rank), record.board[(rank - 1) * 8 + (file - 1)]);
    }
}

TEST(Position, PieceAtOutsideTheBoardIsOffBoardNeverANeighbouringField) {
    // Fill the fields around the board with piece letters: a reader that
    // strays past the board would return one of them.
    PositionRecord record = InitialPosition();
    record.board[64] = 'Q';
    record.sideToMove = 'K';
    const int outside[] = {0, 9, -1, 10, 100, -100, INT_MIN, INT_MAX};
    for (int bad : outside) {
        for (int good = 1; good <= 8; ++good) {
            EXPECT_EQ(PieceAt(record, bad, good), OFF_BOARD) << bad << "," << good;
            EXPECT_EQ(PieceAt(record, good, bad), OFF_BOARD) << good << "," << bad;
        }
        EXPECT_EQ(PieceAt(record, bad, bad), OFF_BOARD);
    }
    // (9, 8) would be index 64 and (1, 9) index 64 read literally.
    EXPECT_EQ(PieceAt(record, 9, 8), OFF_BOARD);
    EXPECT_EQ(PieceAt(record, 1, 9), OFF_BOARD);
    EXPECT_EQ(PieceAt(record, 0, 2), OFF_BOARD);
    EXPECT_EQ(OFF_BOARD, static_cast<char>(-2));
    EXPECT_EQ(NO_SIDE, static_cast<char>(-1));
    EXPECT_EQ(EMPTY_SQUARE, static_cast<char>(0x30));
}

TEST(Position, SideOfKnowsExactlyTheTwelvePieceLetters) {
    const std::string white = "BKNPQR", black = "bknpqr";
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        char expected = NO_SIDE;
        if (white.find(c) != std::string::npos && c != 0) expected = 'w';
        if (black.find(c) != std::string::npos && c != 0) expected = 'b';
        EXPECT_EQ(SideOf(c), expected) << "byte " << byte;
    }
    EXPECT_EQ(SideOf(EMPTY_SQUARE), NO_SIDE);
    EXPECT_EQ(SideOf(OFF_BOARD), NO_SIDE);
    EXPECT_EQ(SideOf('A'), NO_SIDE);
    EXPECT_EQ(SideOf('n'), 'b');
    EXPECT_EQ(SideOf('w'), NO_SIDE);
}

TEST(Position, SideIndexIsZeroOneOrMinusThree) {
    EXPECT_EQ(SideIndex('w'), 0);
    EXPECT_EQ(SideIndex('b'), 1);
    EXPECT_EQ(SideIndex('-'), -3);
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        if (c != 'w' && c != 'b') {
            EXPECT_EQ(SideIndex(c), -3) << "byte " << byte;
        }
    }
}

TEST(Position, EnPassantFieldMatchesOnlyTheSquareItNames) {
    PositionRecord record = InitialPosition();  // "00"
    auto matches = [&](const char* field) {
        std::memcpy(record.enPassant, field, 2);
        int count = 0;
        for (int rank = -1; rank <= 10; ++rank) {
            for (int file = -1; file <= 10; ++file) count += IsEnPassantSquare(record, file, rank);
        }
        return count;
    };
    EXPECT_EQ(matches("00"), 0);
    EXPECT_EQ(matches("--"), 0);
    EXPECT_EQ(matches("@3"), 0);  // file 0
    EXPECT_EQ(matches("I6"), 0);  // file 9
    EXPECT_EQ(matches("A9"), 0);
    EXPECT_EQ(matches("e3"), 0);  // the letter is upper case
    std::memcpy(record.enPassant, "E3", 2);
    EXPECT_TRUE(IsEnPassantSquare(record, 5, 3));
    EXPECT_EQ(matches("E3"), 1);
    std::memcpy(record.enPassant, "H6", 2);
    EXPECT_TRUE(IsEnPassantSquare(record, 8, 6));
    EXPECT_EQ(matches("H6"), 1);
}

TEST(Position, RecordsCompareWhole) {
    const PositionRecord a = InitialPosition();
    PositionRecord b = a;
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a != b);
    b.moveNumber = 2;
    EXPECT_NE(a, b);
    b = a;
    b.board[63] = 'q';
    EXPECT_NE(a, b);
    b = a;
    b.enPassant[2] = 'x';  // even the terminating bytes count
    EXPECT_NE(a, b);
    b = a;
    b.reserved[1] = 1;
    EXPECT_NE(a, b);
    b = a;
    b.castling[3] = '-';
    EXPECT_NE(a, b);
}
