#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/evaluate.h"
#include "engine/tests/reference_engine.h"
#include "rules/tests/test_positions.h"

namespace {

// The piece-square values from White's side of the board, rank 8 first,
// files a to h; Black's are the same tables turned half a turn.
const int KNIGHT[8][8] = {
    {290, 300, 300, 300, 300, 300, 300, 290}, {376, 386, 386, 386, 386, 386, 386, 376},
    {376, 386, 386, 386, 386, 386, 386, 376}, {348, 358, 358, 358, 358, 358, 358, 348},
    {348, 358, 358, 358, 358, 358, 358, 348}, {321, 331, 331, 331, 331, 331, 331, 321},
    {320, 330, 330, 330, 330, 330, 330, 320}, {290, 300, 300, 300, 300, 300, 300, 290},
};
const int PAWN[8][8] = {
    {100, 100, 100, 100, 100, 100, 100, 100}, {100, 100, 100, 100, 100, 100, 100, 100},
    {100, 100, 100, 100, 100, 100, 100, 100}, {100, 100, 100, 131, 131, 100, 100, 100},
    {100, 100, 100, 131, 131, 100, 100, 100}, {100, 100, 100, 127, 127, 100, 100, 100},
    {100, 100, 100, 100, 100, 100, 100, 100}, {100, 100, 100, 100, 100, 100, 100, 100},
};
const int KING_RANK_ONE[8] = {30, 200, 30, 0, 0, 0, 200, 30};

int TableValue(char kind, int f, int r) {
    switch (kind) {
        case 'r': return 450;
        case 'q': return r == 1 ? 850 : 876;
        case 'b': return r == 1 ? 300 : (r <= 3 ? 329 : 330);
        case 'n': return KNIGHT[8 - r][f - 1];
        case 'p': return PAWN[8 - r][f - 1];
        case 'k': return r == 1 ? KING_RANK_ONE[f - 1] : 0;
        default: return 0;
    }
}

float Eval(const char* diagram, char side = 'w', const char* castling = "----") {
    return EvaluatePosition(MakePosition(diagram, side, castling));
}

}  // namespace

TEST(Evaluate, InitialPositionIsPlusFifteen) {
    EXPECT_EQ(EvaluatePosition(InitialPosition()), 15.0f);
    PositionRecord black = InitialPosition();
    black.sideToMove = 'b';
    EXPECT_EQ(EvaluatePosition(black), 15.0f);
}

TEST(Evaluate, AfterE4IsMinusSixteen) {
    EXPECT_EQ(EvaluatePosition(Play(InitialPosition(), {"e2e4"})), -16.0f);
    EXPECT_EQ(EvaluatePosition(Play(InitialPosition(), {"e2e4", "e7e5"})), 15.0f);
    EXPECT_EQ(EvaluatePosition(Play(InitialPosition(), {"e2e3"})), 15.0f - 27.0f);
}

TEST(Evaluate, KingSideCastlingGainsOneHundredFifty) {
    const PositionRecord before =
        MakePosition("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQK2R", 'w', "KQkq");
    PositionRecord castled = Play(before, {"e1g1"});
    ASSERT_EQ(std::string(castled.castling, 4), "--kq");
    castled.sideToMove = 'w';  // compare with the same side to move
    EXPECT_EQ(EvaluatePosition(castled) - EvaluatePosition(before), 150.0f);
}

TEST(Evaluate, CastlingBonusNeedsOneRightOfTheSide) {
    const char* kings = "4k3/8/8/8/8/8/8/4K3";
    const float none = Eval(kings, 'w', "----");
    EXPECT_EQ(none, 15.0f);
    EXPECT_EQ(Eval(kings, 'w', "K---") - none, 50.0f);
    EXPECT_EQ(Eval(kings, 'w', "-Q--") - none, 50.0f);
    EXPECT_EQ(Eval(kings, 'w', "KQ--") - none, 50.0f);
    EXPECT_EQ(Eval(kings, 'w', "--k-") - none, -50.0f);
    EXPECT_EQ(Eval(kings, 'w', "---q") - none, -50.0f);
    EXPECT_EQ(Eval(kings, 'w', "KQkq"), none);
    EXPECT_EQ(Eval(kings, 'b', "K--q"), none);
}

TEST(Evaluate, KingValuesDependOnFileAndColour) {
    // A white king with a Black king on d5 (worth 0): White's total is the
    // king value, the count terms cancel, and White adds 15 for the move.
    const int whiteOnRankOne[8] = {30, 200, 30, 0, 0, 0, 200, 30};
    for (int file = 1; file <= 8; ++file) {
        PositionRecord position = MakePosition("8/8/8/3k4/8/8/8/8");
        position.board[SquareIndex(file, 1)] = 'K';
        EXPECT_EQ(EvaluatePosition(position), whiteOnRankOne[file - 1] + 15.0f) << file;
        EXPECT_EQ(PieceSquareValue('K', file, 1), whiteOnRankOne[file - 1]);
        EXPECT_EQ(PieceSquareValue('K', file, 2), 0);
        EXPECT_EQ(PieceSquareValue('K', file, 8), 0);
    }
    // Black's coordinates turn in both directions: c8 is Black's f-file.
    const int blackOnRankEight[8] = {30, 200, 0, 0, 0, 30, 200, 30};
    for (int file = 1; file <= 8; ++file) {
        PositionRecord position = MakePosition("8/8/8/8/3K4/8/8/8", 'b');
        position.board[SquareIndex(file, 8)] = 'k';
        EXPECT_EQ(EvaluatePosition(position), blackOnRankEight[file - 1] + 15.0f) << file;
        EXPECT_EQ(PieceSquareValue('k', file, 8), blackOnRankEight[file - 1]);
        EXPECT_EQ(PieceSquareValue('k', file, 1), 0);
    }
    EXPECT_EQ(PieceSquareValue('K', 3, 1), 30);
    EXPECT_EQ(PieceSquareValue('K', 6, 1), 0);
    EXPECT_EQ(PieceSquareValue('k', 3, 8), 0);
    EXPECT_EQ(PieceSquareValue('k', 6, 8), 30);
}

TEST(Evaluate, MissingKingsScoreNineThousand) {
    EXPECT_EQ(Eval("4k3/8/8/8/8/8/8/Q7", 'w'), -9000.0f);
    EXPECT_EQ(Eval("4k3/8/8/8/8/8/8/Q7", 'b'), 9000.0f);
    EXPECT_EQ(Eval("q7/8/8/8/8/8/8/4K3", 'w'), 9000.0f);
    EXPECT_EQ(Eval("q7/8/8/8/8/8/8/4K3", 'b'), -9000.0f);
    // With neither king the White king's test decides.
    EXPECT_EQ(Eval("8/8/8/8/8/8/8/8", 'w'), -9000.0f);
    EXPECT_EQ(Eval("8/8/8/8/8/8/8/8", 'b'), 9000.0f);
    // Any other side byte counts as "not White".
    EXPECT_EQ(Eval("4k3/8/8/8/8/8/8/8", 'x'), 9000.0f);
    EXPECT_EQ(Eval("8/8/8/8/8/8/8/4K3", 'x'), 9000.0f);
}

TEST(Evaluate, SecondQueenCountsInFull) {
    const char* base = "3qk3/8/8/8/8/8/8/3QK3";
    const float start = Eval(base);
    EXPECT_EQ(Eval("Q2qk3/8/8/8/8/8/8/3QK3") - start, 876.0f);   // promoted on a8
    EXPECT_EQ(Eval("3qk3/8/8/8/8/8/8/Q2QK3") - start, 850.0f);   // on White's back rank
    EXPECT_EQ(Eval("3qk3/8/8/8/8/8/8/q2QK3") - start, -876.0f);  // Black's on a1
    EXPECT_EQ(Eval("q2qk3/8/8/8/8/8/8/3QK3") - start, -850.0f);
}

TEST(Evaluate, CountTermOfRooksKnightsAndBishops) {
    EXPECT_EQ(PieceCountTerm(InitialPosition(), 'w'), 90);
    EXPECT_EQ(PieceCountTerm(InitialPosition(), 'b'), 90);
    const PositionRecord pawns = MakePosition("4k3/pppppppp/8/8/8/8/PPPPPPPP/3QK3");
    EXPECT_EQ(PieceCountTerm(pawns, 'w'), -90);
    EXPECT_EQ(PieceCountTerm(pawns, 'b'), -90);
    const PositionRecord mixed = MakePosition("rrrrk3/8/8/8/8/8/8/RNB1K3");
    EXPECT_EQ(PieceCountTerm(mixed, 'w'), 0);
    EXPECT_EQ(PieceCountTerm(mixed, 'b'), 30);
    EXPECT_EQ(PieceCountTerm(mixed, 'x'), -90);
    // King and pawns against king and pawns: only the side bonus differs.
    EXPECT_EQ(EvaluatePosition(pawns), 15.0f + 850.0f);
    // Each extra rook adds its 450 and 30 more from the count term.
    EXPECT_EQ(Eval("4k3/8/8/8/8/8/8/R3K3") - Eval("4k3/8/8/8/8/8/8/4K3"), 480.0f);
}

TEST(Evaluate, PieceSquareValuesMatchTheTables) {
    for (char kind : std::string("rqbnpk")) {
        const char white = static_cast<char>(kind - 32);
        for (int rank = 1; rank <= 8; ++rank) {
            for (int file = 1; file <= 8; ++file) {
                EXPECT_EQ(PieceSquareValue(white, file, rank), TableValue(kind, file, rank))
                    << white << SquareName(Square{file, rank});
                EXPECT_EQ(PieceSquareValue(kind, file, rank), TableValue(kind, 9 - file, 9 - rank))
                    << kind << SquareName(Square{file, rank});
            }
        }
    }
    for (char other : {'0', 'x', 'A', '-', OFF_BOARD}) EXPECT_EQ(PieceSquareValue(other, 4, 4), 0);
    EXPECT_EQ(PieceSquareValue('N', 1, 1), 290);
    EXPECT_EQ(PieceSquareValue('N', 3, 3), 331);
    EXPECT_EQ(PieceSquareValue('n', 3, 6), 331);
    EXPECT_EQ(PieceSquareValue('P', 5, 3), 127);
    EXPECT_EQ(PieceSquareValue('p', 5, 6), 127);
    EXPECT_EQ(PieceSquareValue('p', 4, 4), 131);
    EXPECT_EQ(PieceSquareValue('B', 2, 2), 329);
    EXPECT_EQ(PieceSquareValue('b', 2, 7), 329);
    EXPECT_EQ(PieceSquareValue('Q', 4, 8), 876);
    EXPECT_EQ(PieceSquareValue('q', 4, 8), 850);
}

TEST(Evaluate, IsKingMissing) {
    EXPECT_EQ(IsKingMissing(InitialPosition(), 'w'), 0);
    EXPECT_EQ(IsKingMissing(InitialPosition(), 'b'), 0);
    EXPECT_EQ(IsKingMissing(InitialPosition(), 'x'), 1);
    const PositionRecord corner = MakePosition("7K/8/8/8/8/8/8/k7");
    EXPECT_EQ(IsKingMissing(corner, 'w'), 0);  // on h8, the last square
    EXPECT_EQ(IsKingMissing(corner, 'b'), 0);  // on a1, the first
    const PositionRecord none = MakePosition("8/8/8/8/8/8/8/8");
    EXPECT_EQ(IsKingMissing(none, 'w'), 1);
    EXPECT_EQ(IsKingMissing(none, 'b'), 1);
    // A king letter outside the board's 64 squares does not count.
    PositionRecord outside = none;
    outside.sideToMove = 'K';
    outside.castling[0] = 'K';
    outside.castling[2] = 'k';
    EXPECT_EQ(IsKingMissing(outside, 'w'), 1);
    EXPECT_EQ(IsKingMissing(outside, 'b'), 1);
    EXPECT_EQ(EvaluatePosition(outside), 9000.0f);
}

TEST(Evaluate, MatchesTheLiteralSumOverManyPositions) {
    std::vector<PositionRecord> positions = RandomGamePositions(31337, 60, 150);
    std::mt19937 random(3);
    for (int i = 0; i < 3000; ++i) positions.push_back(RandomBoard(random));
    for (PositionRecord& position : positions) {
        ASSERT_EQ(EvaluatePosition(position), reference::Evaluate(position))
            << ::testing::PrintToString(position);
        ASSERT_EQ(PieceCountTerm(position, 'w'), reference::CountTerm(position, 'w'));
        ASSERT_EQ(PieceCountTerm(position, 'b'), reference::CountTerm(position, 'b'));
        ASSERT_EQ(IsKingMissing(position, 'w'), reference::KingMissing(position, 'w') ? 1 : 0);
        ASSERT_EQ(IsKingMissing(position, 'b'), reference::KingMissing(position, 'b') ? 1 : 0);
    }
}
