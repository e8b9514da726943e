#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "rules/make_move.h"
#include "rules/tests/test_positions.h"

namespace {

// MakeMove into a destination full of garbage: every expectation below
// compares whole records, so any byte left unwritten shows up.
PositionRecord After(const PositionRecord& record, const char* move, unsigned char garbage = 0xA5) {
    PositionRecord successor;
    std::memset(&successor, garbage, sizeof successor);
    const Move m = Mv(move);
    MakeMove(record, m.from.file, m.from.rank, m.to.file, m.to.rank, successor);
    return successor;
}

std::string Rights(const PositionRecord& record) { return std::string(record.castling, 4); }
std::string EnPassant(const PositionRecord& record) { return std::string(record.enPassant, 2); }

}  // namespace

TEST(MakeMove, PawnDoubleStepFromTheInitialRecord) {
    const PositionRecord initial = InitialPosition();
    const PositionRecord before = initial;
    const PositionRecord e4 = After(initial, "e2e4");
    EXPECT_EQ(e4,
              MakePosition("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR", 'b', "KQkq", "--", 1));
    EXPECT_EQ(initial, before);
    // The same successor whatever the destination held.
    EXPECT_EQ(After(initial, "e2e4", 0x00), e4);
    EXPECT_EQ(After(initial, "e2e4", 0xFF), e4);

    const PositionRecord d5 = After(e4, "d7d5");
    EXPECT_EQ(
        d5, MakePosition("rnbqkbnr/ppp1pppp/8/3p4/4P3/8/PPPP1PPP/RNBQKBNR", 'w', "KQkq", "--", 2));
}

TEST(MakeMove, MoveNumberRisesAfterBlackOnly) {
    PositionRecord record = InitialPosition();
    record.moveNumber = 41;
    record = After(record, "g1f3");
    EXPECT_EQ(record.sideToMove, 'b');
    EXPECT_EQ(record.moveNumber, 41);
    record = After(record, "g8f6");
    EXPECT_EQ(record.sideToMove, 'w');
    EXPECT_EQ(record.moveNumber, 42);
    // A side byte other than 'w' or 'b' becomes 'w' without counting a move.
    record.sideToMove = 'x';
    record = After(record, "f3g1");
    EXPECT_EQ(record.sideToMove, 'w');
    EXPECT_EQ(record.moveNumber, 42);
}

TEST(MakeMove, CopiesTheRestOfTheRecordUnchanged) {
    PositionRecord record = MakePosition("4k3/8/8/8/8/8/8/4K2R", 'w', "K--q", "--", 7);
    record.reserved[0] = 3;
    record.reserved[1] = 4;
    record.board[64] = 0;
    PositionRecord expected = MakePosition("4k3/8/8/8/8/8/8/4K1R1", 'b', "---q", "--", 7);
    expected.reserved[0] = 3;
    expected.reserved[1] = 4;
    EXPECT_EQ(After(record, "h1g1"), expected);
}

TEST(MakeMove, SameObjectAsSourceAndDestination) {
    PositionRecord record = MakePosition("r3k2r/8/8/8/8/8/8/R3K2R", 'w', "KQkq");
    MakeMove(record, 5, 1, 7, 1, record);
    EXPECT_EQ(record, MakePosition("r3k2r/8/8/8/8/8/8/R4RK1", 'b', "--kq"));
    MakeMove(record, 5, 8, 3, 8, record);
    EXPECT_EQ(record, MakePosition("2kr3r/8/8/8/8/8/8/R4RK1", 'w', "----", "--", 2));

    PositionRecord pawns = MakePosition("8/8/8/3pP3/8/8/8/8", 'w', "----", "D6", 3);
    MakeMove(pawns, 5, 5, 4, 6, pawns);
    EXPECT_EQ(pawns, MakePosition("8/8/3P4/8/8/8/8/8", 'b', "----", "--", 3));
}

TEST(MakeMove, CastlingMovesTheRookOnEachWing) {
    const PositionRecord record = MakePosition("r3k2r/8/8/8/8/8/8/R3K2R", 'w', "KQkq", "--", 9);
    EXPECT_EQ(After(record, "e1g1"), MakePosition("r3k2r/8/8/8/8/8/8/R4RK1", 'b', "--kq", "--", 9));
    EXPECT_EQ(After(record, "e1c1"), MakePosition("r3k2r/8/8/8/8/8/8/2KR3R", 'b', "--kq", "--", 9));
    PositionRecord black = record;
    black.sideToMove = 'b';
    EXPECT_EQ(After(black, "e8g8"), MakePosition("r4rk1/8/8/8/8/8/8/R3K2R", 'w', "KQ--", "--", 10));
    EXPECT_EQ(After(black, "e8c8"), MakePosition("2kr3r/8/8/8/8/8/8/R3K2R", 'w', "KQ--", "--", 10));
}

TEST(MakeMove, KingStepsLoseBothRightsOfTheirSideOnly) {
    const PositionRecord record = MakePosition("r3k2r/8/8/8/8/8/8/R3K2R", 'w', "KQkq");
    EXPECT_EQ(Rights(After(record, "e1f1")), "--kq");
    EXPECT_EQ(Rights(After(record, "e1d2")), "--kq");
    EXPECT_EQ(After(record, "e1f1").board[SquareIndex(8, 1)], 'R');  // no rook moves
    PositionRecord black = record;
    black.sideToMove = 'b';
    EXPECT_EQ(Rights(After(black, "e8e7")), "KQ--");
    // The rights go even when no rook stands at home.
    const PositionRecord lone = MakePosition("4k3/8/8/8/8/8/8/4K3", 'w', "KQkq");
    EXPECT_EQ(After(lone, "e1e2"), MakePosition("4k3/8/8/8/8/8/4K3/8", 'b', "--kq"));
}

TEST(MakeMove, RookLeavingFileAOrHLosesThatWingsRight) {
    const PositionRecord record = MakePosition("r2rk2r/7r/8/r7/7R/8/R7/R2RK2R", 'w', "KQkq");
    EXPECT_EQ(Rights(After(record, "h1g1")), "-Qkq");
    EXPECT_EQ(Rights(After(record, "h4g4")), "-Qkq");  // any square of file h
    EXPECT_EQ(Rights(After(record, "a1b1")), "K-kq");
    EXPECT_EQ(Rights(After(record, "a2b2")), "K-kq");  // any square of file a
    EXPECT_EQ(Rights(After(record, "d1c1")), "KQkq");  // file d
    PositionRecord black = record;
    black.sideToMove = 'b';
    EXPECT_EQ(Rights(After(black, "h8g8")), "KQ-q");
    EXPECT_EQ(Rights(After(black, "h7g7")), "KQ-q");
    EXPECT_EQ(Rights(After(black, "a8b8")), "KQk-");
    EXPECT_EQ(Rights(After(black, "a5b5")), "KQk-");
    EXPECT_EQ(Rights(After(black, "d8c8")), "KQkq");
    // A right already lost stays lost.
    PositionRecord lost = record;
    std::memcpy(lost.castling, "-Q-q", 4);
    EXPECT_EQ(Rights(After(lost, "a1b1")), "---q");
}

TEST(MakeMove, CapturingARookOnFileAOrHLosesThatRight) {
    // White captures Black rooks on a8, a5 and h8; Black captures White's on h1 and a4.
    const PositionRecord white = MakePosition("r6r/1N4B1/8/r7/R7/8/8/4K2k", 'w', "KQkq");
    EXPECT_EQ(Rights(After(white, "b7a5")), "KQk-");
    EXPECT_EQ(Rights(After(white, "a4a5")), "K-k-");  // the mover's right goes too
    EXPECT_EQ(Rights(After(white, "g7h8")), "KQ-q");
    const PositionRecord black = MakePosition("4k3/8/8/8/R7/8/1n4b1/4K2R", 'b', "KQkq");
    EXPECT_EQ(Rights(After(black, "g2h1")), "-Qkq");
    EXPECT_EQ(Rights(After(black, "b2a4")), "K-kq");
    // Taking a rook away from files a and h changes nothing.
    const PositionRecord middle = MakePosition("4k3/8/8/8/8/8/3r4/3RK3", 'w', "KQkq");
    EXPECT_EQ(Rights(After(middle, "d1d2")), "KQkq");
}

TEST(MakeMove, CapturingAKingLosesThatSidesRights) {
    const PositionRecord record = MakePosition("8/8/8/8/8/1n6/8/K3k3", 'b', "KQkq");
    const PositionRecord taken = After(record, "b3a1");
    EXPECT_EQ(taken, MakePosition("8/8/8/8/8/8/8/n3k3", 'w', "--kq", "--", 2));
    const PositionRecord white = MakePosition("4k3/3Q4/8/8/8/8/8/4K3", 'w', "KQkq");
    EXPECT_EQ(After(white, "d7e8"), MakePosition("4Q3/8/8/8/8/8/8/4K3", 'b', "KQ--"));
}

TEST(MakeMove, DoubleStepSetsEnPassantOnlyBesideAnEnemyPawn) {
    // White's double steps.
    EXPECT_EQ(EnPassant(After(MakePosition("8/8/8/8/3p4/8/4P3/8"), "e2e4")), "E3");
    EXPECT_EQ(EnPassant(After(MakePosition("8/8/8/8/5p2/8/4P3/8"), "e2e4")), "E3");
    EXPECT_EQ(EnPassant(After(MakePosition("8/8/8/8/2p5/8/4P3/8"), "e2e4")), "--");
    EXPECT_EQ(EnPassant(After(MakePosition("8/8/8/8/3n4/8/4P3/8"), "e2e4")), "--");
    EXPECT_EQ(EnPassant(After(MakePosition("8/8/8/8/3P4/8/4P3/8"), "e2e4")), "--");
    EXPECT_EQ(EnPassant(After(MakePosition("8/8/8/8/1p6/8/P7/8"), "a2a4")), "A3");
    EXPECT_EQ(EnPassant(After(MakePosition("8/8/8/8/6p1/8/7P/8"), "h2h4")), "H3");
    // Black's.
    const PositionRecord black = MakePosition("8/5p2/8/4P3/8/8/8/8", 'b', "----", "--", 5);
    EXPECT_EQ(After(black, "f7f5"), MakePosition("8/8/8/4Pp2/8/8/8/8", 'w', "----", "F6", 6));
    EXPECT_EQ(EnPassant(After(MakePosition("8/5p2/8/8/8/8/8/8", 'b'), "f7f5")), "--");
    EXPECT_EQ(EnPassant(After(MakePosition("8/5p2/8/6P1/8/8/8/8", 'b'), "f7f5")), "F6");
    EXPECT_EQ(EnPassant(After(MakePosition("8/5p2/8/6p1/8/8/8/8", 'b'), "f7f5")), "--");
    EXPECT_EQ(EnPassant(After(MakePosition("8/p7/8/1P6/8/8/8/8", 'b'), "a7a5")), "A6");
}

TEST(MakeMove, EveryOtherMoveClearsEnPassant) {
    const PositionRecord record = MakePosition("4k3/8/8/8/3Pp3/8/8/4K1N1", 'w', "----", "D3");
    EXPECT_EQ(EnPassant(After(record, "g1f3")), "--");
    EXPECT_EQ(EnPassant(After(record, "d4d5")), "--");
    EXPECT_EQ(EnPassant(After(InitialPosition(), "b1c3")), "--");  // "00" becomes "--"
}

TEST(MakeMove, EnPassantCaptureRemovesThePassedPawn) {
    const PositionRecord white = MakePosition("4k3/8/8/4Pp2/8/8/8/4K3", 'w', "----", "F6", 12);
    EXPECT_EQ(After(white, "e5f6"), MakePosition("4k3/8/5P2/8/8/8/8/4K3", 'b', "----", "--", 12));
    const PositionRecord black = MakePosition("4k3/8/8/8/3Pp3/8/8/4K3", 'b', "----", "D3", 12);
    EXPECT_EQ(After(black, "e4d3"), MakePosition("4k3/8/8/8/8/3p4/8/4K3", 'w', "----", "--", 13));
    // An ordinary diagonal capture removes nothing else.
    const PositionRecord plain = MakePosition("4k3/8/5n2/4Pp2/8/8/8/4K3", 'w', "----", "--");
    EXPECT_EQ(After(plain, "e5f6"), MakePosition("4k3/8/5P2/5p2/8/8/8/4K3", 'b'));
}

TEST(MakeMove, PromotionMakesAQueenOfTheMoversColour) {
    const PositionRecord white = MakePosition("1n2k3/P1P5/8/8/8/8/8/4K3", 'w', "KQkq");
    EXPECT_EQ(After(white, "a7a8"), MakePosition("Qn2k3/2P5/8/8/8/8/8/4K3", 'b', "KQkq"));
    // Taking the knight on b8 while promoting.
    EXPECT_EQ(After(white, "a7b8"), MakePosition("1Q2k3/2P5/8/8/8/8/8/4K3", 'b', "KQkq"));
    // Taking the rook on a8 also removes Black's queen-side right.
    EXPECT_EQ(After(MakePosition("r3k3/1P6/8/8/8/8/8/4K3", 'w', "KQkq"), "b7a8"),
              MakePosition("Q3k3/8/8/8/8/8/8/4K3", 'b', "KQk-"));
    const PositionRecord black = MakePosition("4k3/8/8/8/8/8/1p6/R3K3", 'b', "KQkq", "--", 30);
    EXPECT_EQ(After(black, "b2b1"), MakePosition("4k3/8/8/8/8/8/8/Rq2K3", 'w', "KQkq", "--", 31));
    EXPECT_EQ(After(black, "b2a1"), MakePosition("4k3/8/8/8/8/8/8/q3K3", 'w', "K-kq", "--", 31));
}
