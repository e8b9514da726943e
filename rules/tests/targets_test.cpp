// The order of each generator's targets becomes the engine's move order, so
// these tests pin the exact lists, not only the sets.
#include <gtest/gtest.h>

#include "rules/targets.h"
#include "rules/tests/test_positions.h"

TEST(Targets, InitialRecordKnightsAndPawns) {
    const PositionRecord record = InitialPosition();
    EXPECT_EQ(TargetsOf(record, Sq("b1")), Squares({"c3", "a3"}));
    EXPECT_EQ(TargetsOf(record, Sq("g1")), Squares({"h3", "f3"}));
    EXPECT_EQ(TargetsOf(record, Sq("b8")), Squares({"c6", "a6"}));
    EXPECT_EQ(TargetsOf(record, Sq("e2")), Squares({"e3", "e4"}));
    EXPECT_EQ(TargetsOf(record, Sq("e7")), Squares({"e6", "e5"}));
    EXPECT_EQ(TargetsOf(record, Sq("a2")), Squares({"a3", "a4"}));
    EXPECT_EQ(TargetsOf(record, Sq("h7")), Squares({"h6", "h5"}));
    for (const char* blocked : {"a1", "c1", "d1", "e1", "f1", "h1", "a8", "c8", "d8", "e8", "h8"})
        EXPECT_TRUE(TargetsOf(record, Sq(blocked)).empty()) << blocked;
}

TEST(Targets, RookOnAnEmptyBoardGoesUpRightDownLeft) {
    EXPECT_EQ(TargetsOf(MakePosition("8/8/8/8/8/8/8/R7"), Sq("a1")),
              Squares({"a2", "a3", "a4", "a5", "a6", "a7", "a8", "b1", "c1", "d1", "e1", "f1", "g1",
                       "h1"}));
    EXPECT_EQ(TargetsOf(MakePosition("8/8/8/8/3r4/8/8/8"), Sq("d4")),
              Squares({"d5", "d6", "d7", "d8", "e4", "f4", "g4", "h4", "d3", "d2", "d1", "c4", "b4",
                       "a4"}));
}

TEST(Targets, SlidingRaysStopAtTheFirstPieceAndTakeOnlyEnemies) {
    // Enemy on d6, own piece on f4, enemy on a4 behind an empty c4 and b4.
    const PositionRecord record = MakePosition("8/8/3p4/8/p2R1N2/8/8/8");
    EXPECT_EQ(TargetsOf(record, Sq("d4")),
              Squares({"d5", "d6", "e4", "d3", "d2", "d1", "c4", "b4", "a4"}));
    // The same with colours swapped: the mover's side comes from the piece.
    const PositionRecord swapped = MakePosition("8/8/3P4/8/P2r1n2/8/8/8", 'w');
    EXPECT_EQ(TargetsOf(swapped, Sq("d4")),
              Squares({"d5", "d6", "e4", "d3", "d2", "d1", "c4", "b4", "a4"}));
    // An adjacent enemy is the whole ray; an adjacent own piece ends it at once.
    const PositionRecord tight = MakePosition("8/8/8/3n4/2BRq3/3P4/8/8");
    EXPECT_EQ(TargetsOf(tight, Sq("d4")), Squares({"d5", "e4"}));
}

TEST(Targets, BishopGoesUpRightDownRightDownLeftUpLeft) {
    EXPECT_EQ(
        TargetsOf(MakePosition("8/8/8/8/3B4/8/8/8"), Sq("d4")),
        Squares({"e5", "f6", "g7", "h8", "e3", "f2", "g1", "c3", "b2", "a1", "c5", "b6", "a7"}));
    EXPECT_EQ(TargetsOf(MakePosition("8/8/8/8/8/8/8/7b"), Sq("h1")),
              Squares({"g2", "f3", "e4", "d5", "c6", "b7", "a8"}));
    // Captures end each ray.
    EXPECT_EQ(TargetsOf(MakePosition("8/8/5p2/8/3B4/2P5/8/b7"), Sq("d4")),
              Squares({"e5", "f6", "e3", "f2", "g1", "c5", "b6", "a7"}));
}

TEST(Targets, QueenOnAnEmptyBoardListsTwentySevenSquaresUpThenClockwise) {
    EXPECT_EQ(
        TargetsOf(MakePosition("8/8/8/8/3Q4/8/8/8"), Sq("d4")),
        Squares({"d5", "d6", "d7", "d8", "e5", "f6", "g7", "h8", "e4", "f4", "g4", "h4", "e3", "f2",
                 "g1", "d3", "d2", "d1", "c3", "b2", "a1", "c4", "b4", "a4", "c5", "b6", "a7"}));
    EXPECT_EQ(TargetsOf(MakePosition("8/8/8/8/8/8/8/q7"), Sq("a1")).size(), 21u);
}

TEST(Targets, KnightJumpsClockwiseFromOneRightTwoUp) {
    EXPECT_EQ(TargetsOf(MakePosition("8/8/8/8/3N4/8/8/8"), Sq("d4")),
              Squares({"e6", "f5", "f3", "e2", "c2", "b3", "b5", "c6"}));
    // Over pieces, onto enemies, never onto own pieces, never off the board.
    EXPECT_EQ(TargetsOf(MakePosition("8/8/2P1p3/1pPPP3/2PnP3/1P1P4/4P3/8"), Sq("d4")),
              Squares({"f5", "f3", "e2", "c2", "b3", "c6"}));
    EXPECT_EQ(TargetsOf(MakePosition("7n/8/8/8/8/8/8/8"), Sq("h8")), Squares({"g6", "f7"}));
}

TEST(Targets, KingListsNeighboursThenKingSideThenQueenSideCastling) {
    const PositionRecord record = MakePosition("r3k2r/8/8/8/8/8/8/R3K2R", 'w', "KQkq");
    EXPECT_EQ(TargetsOf(record, Sq("e1")), Squares({"e2", "f2", "f1", "d1", "d2", "g1", "c1"}));
    EXPECT_EQ(TargetsOf(record, Sq("e8")), Squares({"f8", "f7", "e7", "d7", "d8", "g8", "c8"}));
    // Black may castle whoever is to move.
    const PositionRecord blackRights = MakePosition("r3k2r/8/8/8/8/8/8/R3K2R", 'w', "KQ-q");
    EXPECT_EQ(TargetsOf(blackRights, Sq("e8")), Squares({"f8", "f7", "e7", "d7", "d8", "c8"}));
    EXPECT_EQ(TargetsOf(MakePosition("8/8/8/8/3K4/8/8/8"), Sq("d4")),
              Squares({"d5", "e5", "e4", "e3", "d3", "c3", "c4", "c5"}));
    // Enemies are listed, own pieces are not.
    EXPECT_EQ(TargetsOf(MakePosition("8/8/8/2pPn3/3k4/8/8/8"), Sq("d4")),
              Squares({"d5", "e4", "e3", "d3", "c3", "c4"}));
}

TEST(Targets, KingCastlingTargetsFollowCastlingOptions) {
    // A rook on f8 attacks f1: only the queen side stays open.
    const PositionRecord kingSideAttacked = MakePosition("5r2/8/8/8/8/8/8/R3K2R", 'w', "KQ--");
    EXPECT_EQ(TargetsOf(kingSideAttacked, Sq("e1")), Squares({"e2", "f2", "f1", "d1", "d2", "c1"}));
    // Rights gone: no castling target even on an open rank.
    const PositionRecord noRights = MakePosition("8/8/8/8/8/8/8/R3K2R", 'w', "----");
    EXPECT_EQ(TargetsOf(noRights, Sq("e1")), Squares({"e2", "f2", "f1", "d1", "d2"}));
    // A queen-side right alone.
    const PositionRecord queenOnly = MakePosition("8/8/8/8/8/8/8/R3K2R", 'w', "-Q--");
    EXPECT_EQ(TargetsOf(queenOnly, Sq("e1")), Squares({"e2", "f2", "f1", "d1", "d2", "c1"}));
}

TEST(Targets, PawnListsStepDoubleStepLeftCaptureRightCapture) {
    const PositionRecord white = MakePosition("8/8/8/8/8/3p1p2/4P3/8");
    EXPECT_EQ(TargetsOf(white, Sq("e2")), Squares({"e3", "e4", "d3", "f3"}));
    // Black's "left" is also toward file 1: the files are not mirrored.
    const PositionRecord black = MakePosition("8/4p3/3P1P2/8/8/8/8/8");
    EXPECT_EQ(TargetsOf(black, Sq("e7")), Squares({"e6", "e5", "d6", "f6"}));
    // No double step off the home rank.
    EXPECT_EQ(TargetsOf(MakePosition("8/8/8/8/8/4P3/8/8"), Sq("e3")), Squares({"e4"}));
    EXPECT_EQ(TargetsOf(MakePosition("8/8/4p3/8/8/8/8/8"), Sq("e6")), Squares({"e5"}));
    // Own pieces on the diagonals are not taken.
    EXPECT_EQ(TargetsOf(MakePosition("8/8/8/8/8/3N1B2/4P3/8"), Sq("e2")), Squares({"e3", "e4"}));
}

TEST(Targets, PawnStraightStepsAreBlockedByAnyPiece) {
    for (const char* blocker : {"4p3", "4P3", "4k3", "4N3"}) {
        const std::string diagram = std::string("8/8/8/8/8/") + blocker + "/4P3/8";
        EXPECT_TRUE(TargetsOf(MakePosition(diagram), Sq("e2")).empty()) << blocker;
    }
    // The single step is free but the double step's square is not.
    EXPECT_EQ(TargetsOf(MakePosition("8/8/8/8/4n3/8/4P3/8"), Sq("e2")), Squares({"e3"}));
    EXPECT_EQ(TargetsOf(MakePosition("8/4p3/8/4N3/8/8/8/8"), Sq("e7")), Squares({"e6"}));
    // Blocked straight ahead but with captures on both sides.
    EXPECT_EQ(TargetsOf(MakePosition("8/8/8/8/8/3rqb2/4P3/8"), Sq("e2")), Squares({"d3", "f3"}));
}

TEST(Targets, PawnOnTheLastRanksAndEdgeFiles) {
    // A White pawn on rank 8 and a Black one on rank 1 have nowhere to go.
    EXPECT_TRUE(TargetsOf(MakePosition("P7/8/8/8/8/8/8/8"), Sq("a8")).empty());
    EXPECT_TRUE(TargetsOf(MakePosition("8/8/8/8/8/8/8/7p"), Sq("h1")).empty());
    // Edge files look at one diagonal only.
    EXPECT_EQ(TargetsOf(MakePosition("8/8/8/8/8/1p6/P7/8"), Sq("a2")), Squares({"a3", "a4", "b3"}));
    EXPECT_EQ(TargetsOf(MakePosition("8/7p/6P1/8/8/8/8/8"), Sq("h7")), Squares({"h6", "h5", "g6"}));
    // A step onto the last rank is listed once.
    EXPECT_EQ(TargetsOf(MakePosition("1r6/P7/8/8/8/8/8/8"), Sq("a7")), Squares({"a8", "b8"}));
    // A White pawn on rank 1 (never reached in play) steps single only.
    EXPECT_EQ(TargetsOf(MakePosition("8/8/8/8/8/8/8/P7"), Sq("a1")), Squares({"a2"}));
}

TEST(Targets, PawnTakesEnPassantOnlyOnTheSquareAndOnlyWhenToMove) {
    const char* diagram = "8/8/8/3pP3/8/8/8/8";
    EXPECT_EQ(TargetsOf(MakePosition(diagram, 'w', "----", "D6"), Sq("e5")), Squares({"e6", "d6"}));
    EXPECT_EQ(TargetsOf(MakePosition(diagram, 'b', "----", "D6"), Sq("e5")), Squares({"e6"}));
    EXPECT_EQ(TargetsOf(MakePosition(diagram, 'w', "----", "--"), Sq("e5")), Squares({"e6"}));
    EXPECT_EQ(TargetsOf(MakePosition(diagram, 'w', "----", "F6"), Sq("e5")), Squares({"e6", "f6"}));
    // The en passant capture is listed after the straight step even when the
    // step is blocked, and on the right as well as the left.
    EXPECT_EQ(TargetsOf(MakePosition("8/8/4n3/4Pp2/8/8/8/8", 'w', "----", "F6"), Sq("e5")),
              Squares({"f6"}));
    // Black takes toward rank 3.
    const PositionRecord black = MakePosition("8/8/8/8/3Pp3/8/8/8", 'b', "----", "D3");
    EXPECT_EQ(TargetsOf(black, Sq("e4")), Squares({"e3", "d3"}));
    EXPECT_EQ(TargetsOf(MakePosition("8/8/8/8/3Pp3/8/8/8", 'w', "----", "D3"), Sq("e4")),
              Squares({"e3"}));
    // Only the square and the side to move are tested, not the ranks.
    EXPECT_EQ(TargetsOf(MakePosition("8/8/8/8/8/8/4P3/8", 'w', "----", "D3"), Sq("e2")),
              Squares({"e3", "e4", "d3"}));
}

TEST(Targets, GeneratorsWriteOnlyTheEntriesTheyCount) {
    const PositionRecord record = MakePosition("r3k2r/8/8/3pP3/3Q4/8/8/R3K2R", 'w', "KQkq", "D6");
    for (Square square : Squares({"e1", "d4", "e5", "a1", "h8", "e8"})) {
        TargetList list;
        for (Square& entry : list.squares) entry = Square{-7, -7};
        TargetGenerator generator = GeneratorOf(PieceAt(record, square.file, square.rank));
        const int count = generator(record, square.file, square.rank, list);
        ASSERT_GE(count, 0);
        ASSERT_LE(count, 27);
        for (int i = count; i < 60; ++i)
            EXPECT_EQ(list.squares[i], (Square{-7, -7})) << SquareName(square) << " entry " << i;
    }
}

TEST(Targets, GeneratorIgnoresTheRecordsSideToMove) {
    const PositionRecord record = MakePosition("8/8/8/8/3N4/8/8/8", 'b');
    EXPECT_EQ(TargetsOf(record, Sq("d4")).size(), 8u);
    // A Black pawn moves down whichever side is to move.
    EXPECT_EQ(TargetsOf(MakePosition("8/4p3/8/8/8/8/8/8", 'w'), Sq("e7")), Squares({"e6", "e5"}));
}

// A record made by hand may hold a castling right while its king stands
// elsewhere: castling is offered only from the king's own square.
TEST(KingTargetsFromHand, NoCastlingAwayFromTheKingsSquare) {
    PositionRecord record = InitialPosition();
    std::memset(record.board, EMPTY_SQUARE, 64);
    record.board[SquareIndex(7, 4)] = 'k';  // g4
    record.board[SquareIndex(5, 8)] = 'k';  // e8
    record.board[SquareIndex(8, 8)] = 'r';  // h8
    record.board[SquareIndex(5, 1)] = 'K';
    std::memcpy(record.castling, "--k-", 4);
    record.sideToMove = 'b';
    TargetList list{};
    const int count = KingTargets(record, 7, 4, list);
    for (int i = 0; i < count; ++i) EXPECT_FALSE(list.squares[i] == (Square{7, 4}));
    EXPECT_EQ(count, 8);
    // The king on e8 still castles.
    const int home = KingTargets(record, 5, 8, list);
    EXPECT_EQ(list.squares[home - 1], (Square{7, 8}));
}
