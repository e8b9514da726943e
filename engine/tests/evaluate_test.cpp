#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/evaluate.h"
#include "engine/tests/reference_engine.h"
#include "rules/tests/test_positions.h"

namespace {

// Positions reached in random games and arbitrary boards, kings missing included.
std::vector<PositionRecord> ManyPositions() {
    std::vector<PositionRecord> positions = RandomGamePositions(31337, 60, 150);
    std::mt19937 random(3);
    for (int i = 0; i < 3000; ++i) positions.push_back(RandomBoard(random));
    return positions;
}

// The board turned half a turn with the colours, rights and side swapped:
// the side to move stands exactly as its opponent stood.
PositionRecord Turned(const PositionRecord& position) {
    PositionRecord turned = position;
    for (int square = 0; square < 64; ++square) {
        const char c = position.board[63 - square];
        turned.board[square] = SideOf(c) == 'w'   ? static_cast<char>(c + 32)
                               : SideOf(c) == 'b' ? static_cast<char>(c - 32)
                                                  : c;
    }
    for (int i = 0; i < 4; ++i) {
        const char right = position.castling[i ^ 2];
        turned.castling[i] = right == '-' ? '-' : "KQkq"[i];
    }
    turned.sideToMove = position.sideToMove == 'w' ? 'b' : 'w';
    return turned;
}

}  // namespace

TEST(Evaluate, MatchesTheLiteralSumAndTheTurnedBoard) {
    for (const PositionRecord& position : ManyPositions()) {
        ASSERT_EQ(EvaluatePosition(position), reference::Evaluate(position))
            << ::testing::PrintToString(position);
        // With both kings gone, White's loss is the one scored.
        if (IsKingMissing(position, 'w') && IsKingMissing(position, 'b')) continue;
        ASSERT_EQ(EvaluatePosition(Turned(position)), EvaluatePosition(position))
            << ::testing::PrintToString(position);
    }
}

TEST(Evaluate, ScoresSuccessorsFromTheChangedSquares) {
    for (const PositionRecord& position : ManyPositions()) {
        const BoardSum sum = SumBoard(position);
        for (const Move& move : GeneratedMoves(position)) {
            const PositionRecord child = Play(position, move);
            ASSERT_EQ(SumChildBoard(sum, position, child), SumBoard(child))
                << MoveName(move) << ::testing::PrintToString(position);
            ASSERT_EQ(EvaluateBoardSum(child, SumBoard(child)), reference::Evaluate(child));
        }
    }
}

TEST(Evaluate, KnownPositions) {
    const struct {
        const char* diagram;
        char side;
        const char* castling;
        float expected;
    } cases[] = {
        // The sides stand alike: only the side to move's 15 remains.
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", 'w', "KQkq", 15},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", 'b', "KQkq", 15},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", 'w', "K---", 65},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", 'b', "-Q--", -35},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", 'w', "--kq", -35},
        // A king gone decides, whoever is to move and whatever else stands.
        {"8/8/8/8/8/8/8/4K3", 'w', "KQkq", KING_LOST_SCORE},
        {"8/8/8/8/8/8/8/4K3", 'b', "KQkq", -KING_LOST_SCORE},
        {"4k3/QQQQQQQQ/8/8/8/8/8/8", 'w', "----", -KING_LOST_SCORE},
        {"4k3/QQQQQQQQ/8/8/8/8/8/8", 'b', "----", KING_LOST_SCORE},
        {"8/8/8/8/8/8/8/8", 'b', "----", KING_LOST_SCORE},  // White's king is looked for first
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EvaluatePosition(MakePosition(c.diagram, c.side, c.castling)), c.expected)
            << c.diagram << " " << c.side << " " << c.castling;
    }
}
