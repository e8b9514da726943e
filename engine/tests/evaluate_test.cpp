#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/evaluate.h"
#include "engine/tests/reference_engine.h"
#include "rules/tests/test_positions.h"

TEST(Evaluate, MatchesTheLiteralSumWholeOrFromTheChangedSquares) {
    // Positions reached in random games and arbitrary boards, kings missing included.
    std::vector<PositionRecord> positions = RandomGamePositions(31337, 60, 150);
    std::mt19937 random(3);
    for (int i = 0; i < 3000; ++i) positions.push_back(RandomBoard(random));
    for (const PositionRecord& position : positions) {
        ASSERT_EQ(EvaluatePosition(position), reference::Evaluate(position))
            << ::testing::PrintToString(position);
        const BoardSum sum = SumBoard(position);
        for (const Move& move : GeneratedMoves(position)) {
            const PositionRecord child = Play(position, move);
            ASSERT_EQ(SumChildBoard(sum, position, child), SumBoard(child))
                << MoveName(move) << ::testing::PrintToString(position);
        }
    }
}

TEST(Evaluate, KnownPositions) {
    const struct {
        const char* position;
        float expected;
    } cases[] = {
        // The sides stand alike: only the side to move's 15 remains.
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq", 15},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b KQkq", 15},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w K---", 65},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b -Q--", -35},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w --kq", -35},
        // A king gone decides, whoever is to move and whatever else stands.
        {"8/8/8/8/8/8/8/4K3 w KQkq", KING_LOST_SCORE},
        {"8/8/8/8/8/8/8/4K3 b KQkq", -KING_LOST_SCORE},
        {"4k3/QQQQQQQQ/8/8/8/8/8/8 w", -KING_LOST_SCORE},
        {"4k3/QQQQQQQQ/8/8/8/8/8/8 b", KING_LOST_SCORE},
        {"8/8/8/8/8/8/8/8 b", KING_LOST_SCORE},  // White's king is looked for first
    };
    for (const auto& c : cases)
        EXPECT_EQ(EvaluatePosition(MakePosition(c.position)), c.expected) << c.position;
}

TEST(Evaluate, OnlyTheKingsValuesDependOnTheWing) {
    // Every other piece is worth the same on a square and its mirror image
    // across the board's middle, the king's side against the queen's.
    for (const PieceSquareTable& table : PIECE_SQUARE_TABLES) {
        if (table.kind == 'k') continue;
        for (int row = 0; row < 8; ++row) {
            for (int column = 0; column < 4; ++column) {
                EXPECT_EQ(table.values[row][column], table.values[row][7 - column])
                    << table.kind << " row " << row << " column " << column;
            }
        }
    }
}
