#include <gtest/gtest.h>

#include "rules/legality.h"
#include "rules/tests/test_positions.h"

namespace {

int Check(const PositionRecord& record, const char* move) {
    const Move m = Mv(move);
    return CheckMove(record, m.from.file, m.from.rank, m.to.file, m.to.rank);
}

int Path(const PositionRecord& record, const char* from, const char* to) {
    return PathClear(record, Sq(from).file, Sq(from).rank, Sq(to).file, Sq(to).rank);
}

int Attacked(const PositionRecord& record, const char* square, char bySide) {
    return SquareAttacked(record, Sq(square).file, Sq(square).rank, bySide);
}

// White king and king-side rook at home, f1 and g1 empty, all rights.
PositionRecord WhiteCastlingPosition(const char* blackPieces) {
    return MakePosition(std::string(blackPieces) + "/8/8/8/8/8/8/R3K2R", 'w', "KQkq");
}

}  // namespace

TEST(CheckMove, InitialRecordResults) {
    const PositionRecord record = InitialPosition();
    EXPECT_EQ(Check(record, "e2e4"), MOVE_LEGAL);
    EXPECT_EQ(Check(record, "e2e3"), MOVE_LEGAL);
    EXPECT_EQ(Check(record, "e2e5"), MOVE_ILLEGAL);
    EXPECT_EQ(Check(record, "g1f3"), MOVE_LEGAL);
    EXPECT_EQ(Check(record, "g1e2"), MOVE_ILLEGAL);  // own piece
    EXPECT_EQ(Check(record, "a1a3"), MOVE_ILLEGAL);  // path blocked
    EXPECT_EQ(Check(record, "d4d5"), MOVE_BAD_ORIGIN);
    EXPECT_EQ(CheckMove(record, 5, 2, 5, 9), MOVE_BAD_TARGET);
    EXPECT_EQ(CheckMove(record, 5, 2, 0, 3), MOVE_BAD_TARGET);
    EXPECT_EQ(Check(record, "e2e2"), MOVE_ILLEGAL);
    EXPECT_EQ(Check(record, "e1e1"), MOVE_ILLEGAL);
    // Pieces of the side not to move are judged alike.
    EXPECT_EQ(Check(record, "e7e5"), MOVE_LEGAL);
    EXPECT_EQ(Check(record, "b8c6"), MOVE_LEGAL);
    EXPECT_EQ(Check(record, "e7e4"), MOVE_ILLEGAL);
}

TEST(CheckMove, BadOriginComesBeforeBadTarget) {
    const PositionRecord record = InitialPosition();
    EXPECT_EQ(CheckMove(record, 0, 1, 1, 2), MOVE_BAD_ORIGIN);
    EXPECT_EQ(CheckMove(record, 0, 1, 0, 2), MOVE_BAD_ORIGIN);
    EXPECT_EQ(CheckMove(record, 4, 4, 4, 9), MOVE_BAD_ORIGIN);
    EXPECT_EQ(CheckMove(record, 9, 9, 9, 9), MOVE_BAD_ORIGIN);
    EXPECT_EQ(CheckMove(record, 1, 1, -1, 1), MOVE_BAD_TARGET);
    // A bad target is reported even for an off-board "same square".
    EXPECT_EQ(CheckMove(record, 1, 8, 1, 9), MOVE_BAD_TARGET);
}

TEST(CheckMove, SlidingPiecesNeedALineAndAClearPath) {
    const PositionRecord record = MakePosition("8/1p4p1/8/8/3Q4/8/1P3n2/8");
    EXPECT_EQ(Check(record, "d4d8"), MOVE_LEGAL);
    EXPECT_EQ(Check(record, "d4a4"), MOVE_LEGAL);
    EXPECT_EQ(Check(record, "d4g7"), MOVE_LEGAL);    // capture at the end of a diagonal
    EXPECT_EQ(Check(record, "d4h8"), MOVE_ILLEGAL);  // beyond the capture
    EXPECT_EQ(Check(record, "d4f2"), MOVE_LEGAL);
    EXPECT_EQ(Check(record, "d4g1"), MOVE_ILLEGAL);  // behind the knight
    EXPECT_EQ(Check(record, "d4b2"), MOVE_ILLEGAL);  // own pawn
    EXPECT_EQ(Check(record, "d4a1"), MOVE_ILLEGAL);  // behind own pawn
    EXPECT_EQ(Check(record, "d4e6"), MOVE_ILLEGAL);  // no line
    EXPECT_EQ(Check(record, "d4b7"), MOVE_ILLEGAL);  // no line, though an enemy stands there

    const PositionRecord rook = MakePosition("8/8/8/8/3R1p2/8/8/8");
    EXPECT_EQ(Check(rook, "d4d1"), MOVE_LEGAL);
    EXPECT_EQ(Check(rook, "d4f4"), MOVE_LEGAL);
    EXPECT_EQ(Check(rook, "d4g4"), MOVE_ILLEGAL);
    EXPECT_EQ(Check(rook, "d4e5"), MOVE_ILLEGAL);  // diagonal

    const PositionRecord bishop = MakePosition("8/8/8/8/3b4/8/8/8");
    EXPECT_EQ(Check(bishop, "d4h8"), MOVE_LEGAL);
    EXPECT_EQ(Check(bishop, "d4a1"), MOVE_LEGAL);
    EXPECT_EQ(Check(bishop, "d4d5"), MOVE_ILLEGAL);  // straight
    EXPECT_EQ(Check(bishop, "d4f5"), MOVE_ILLEGAL);
}

TEST(CheckMove, KnightJumpsOverAnything) {
    const PositionRecord record = InitialPosition();
    EXPECT_EQ(Check(record, "b1c3"), MOVE_LEGAL);
    EXPECT_EQ(Check(record, "b1a3"), MOVE_LEGAL);
    EXPECT_EQ(Check(record, "b1d2"), MOVE_ILLEGAL);  // own pawn
    EXPECT_EQ(Check(record, "b1b3"), MOVE_ILLEGAL);
    EXPECT_EQ(Check(record, "b1d3"), MOVE_ILLEGAL);
    const PositionRecord center = MakePosition("8/8/8/3p4/3N4/8/8/8");
    for (const char* to : {"e6", "f5", "f3", "e2", "c2", "b3", "b5", "c6"})
        EXPECT_EQ(Check(center, (std::string("d4") + to).c_str()), MOVE_LEGAL) << to;
    EXPECT_EQ(Check(center, "d4d5"), MOVE_ILLEGAL);
    EXPECT_EQ(Check(center, "d4f6"), MOVE_ILLEGAL);
}

TEST(CheckMove, KingStepsAnywhereEvenIntoAttackOrNextToTheOtherKing) {
    const PositionRecord record = MakePosition("8/8/8/3k4/8/3K4/8/6r1");
    EXPECT_EQ(Check(record, "d3d4"), MOVE_LEGAL);  // next to the Black king
    EXPECT_EQ(Check(record, "d3e2"), MOVE_LEGAL);
    EXPECT_EQ(Check(record, "d3d1"), MOVE_ILLEGAL);  // two ranks
    EXPECT_EQ(Check(record, "d3f3"), MOVE_ILLEGAL);  // two files, not from e1
    EXPECT_EQ(Check(record, "d5d4"), MOVE_LEGAL);
    // A king may capture the other king.
    const PositionRecord adjacent = MakePosition("8/8/8/3k4/3K4/8/8/8");
    EXPECT_EQ(Check(adjacent, "d4d5"), MOVE_LEGAL);
    EXPECT_EQ(Check(adjacent, "d5d4"), MOVE_LEGAL);
}

TEST(CheckMove, PinnedPiecesMayMove) {
    // The knight on e2 shields its king from the rook on e8.
    const PositionRecord record = MakePosition("4r3/8/8/8/8/8/4N3/4K3");
    EXPECT_EQ(Check(record, "e2c3"), MOVE_LEGAL);
    EXPECT_EQ(Check(record, "e1e2"), MOVE_ILLEGAL);
    EXPECT_EQ(Check(record, "e1d1"), MOVE_LEGAL);
}

TEST(CheckMove, KingSideCastlingNeedsTheRightEmptySquaresAndNoAttack) {
    EXPECT_EQ(Check(WhiteCastlingPosition("4k3"), "e1g1"), MOVE_LEGAL);
    EXPECT_EQ(Check(WhiteCastlingPosition("4k3"), "e1c1"), MOVE_LEGAL);
    // Out of check, through an attacked square, into an attacked square.
    EXPECT_EQ(Check(WhiteCastlingPosition("4r2k"), "e1g1"), MOVE_ILLEGAL);
    EXPECT_EQ(Check(WhiteCastlingPosition("5r1k"), "e1g1"), MOVE_ILLEGAL);
    EXPECT_EQ(Check(WhiteCastlingPosition("6rk"), "e1g1"), MOVE_ILLEGAL);
    // The rook itself may be attacked.
    EXPECT_EQ(Check(WhiteCastlingPosition("k6r"), "e1g1"), MOVE_LEGAL);
    // Rights.
    PositionRecord record = WhiteCastlingPosition("4k3");
    record.castling[0] = '-';
    EXPECT_EQ(Check(record, "e1g1"), MOVE_ILLEGAL);
    EXPECT_EQ(Check(record, "e1c1"), MOVE_LEGAL);
    record = WhiteCastlingPosition("4k3");
    record.castling[0] = 'k';  // only the letter 'K' grants the right
    EXPECT_EQ(Check(record, "e1g1"), MOVE_ILLEGAL);
    // Occupied squares between.
    record = WhiteCastlingPosition("4k3");
    record.board[SquareIndex(6, 1)] = 'B';
    EXPECT_EQ(Check(record, "e1g1"), MOVE_ILLEGAL);
    record = WhiteCastlingPosition("4k3");
    record.board[SquareIndex(7, 1)] = 'n';
    EXPECT_EQ(Check(record, "e1g1"), MOVE_ILLEGAL);
    // An attack by a pawn counts: a Black pawn on h2 attacks g1.
    const PositionRecord pawn = MakePosition("4k3/8/8/8/8/8/7p/R3K2R", 'w', "KQkq");
    EXPECT_EQ(Check(pawn, "e1g1"), MOVE_ILLEGAL);
    EXPECT_EQ(Check(pawn, "e1c1"), MOVE_LEGAL);
}

TEST(CheckMove, QueenSideCastlingAllowsAnAttackedButNotAnOccupiedBFile) {
    // A rook on b8 attacks b1 only.
    EXPECT_EQ(Check(WhiteCastlingPosition("1r2k3"), "e1c1"), MOVE_LEGAL);
    EXPECT_EQ(Check(WhiteCastlingPosition("2r1k3"), "e1c1"), MOVE_ILLEGAL);  // c1
    EXPECT_EQ(Check(WhiteCastlingPosition("3rk3"), "e1c1"), MOVE_ILLEGAL);   // d1
    PositionRecord record = WhiteCastlingPosition("4k3");
    record.board[SquareIndex(2, 1)] = 'n';
    EXPECT_EQ(Check(record, "e1c1"), MOVE_ILLEGAL);
    record.board[SquareIndex(2, 1)] = EMPTY_SQUARE;
    record.board[SquareIndex(4, 1)] = 'Q';
    EXPECT_EQ(Check(record, "e1c1"), MOVE_ILLEGAL);
    EXPECT_EQ(Check(record, "e1g1"), MOVE_LEGAL);
}

TEST(CheckMove, BlackCastlesOnRankEightWhoeverIsToMove) {
    const PositionRecord record = MakePosition("r3k2r/8/8/8/8/8/8/4K3", 'w', "KQkq");
    EXPECT_EQ(Check(record, "e8g8"), MOVE_LEGAL);
    EXPECT_EQ(Check(record, "e8c8"), MOVE_LEGAL);
    const PositionRecord attacked = MakePosition("r3k2r/8/8/8/8/8/8/2R1K1R1", 'b', "KQkq");
    EXPECT_EQ(Check(attacked, "e8g8"), MOVE_ILLEGAL);
    EXPECT_EQ(Check(attacked, "e8c8"), MOVE_ILLEGAL);
    const PositionRecord bFile = MakePosition("r3k2r/8/8/8/8/8/8/1R2K3", 'b', "KQkq");
    EXPECT_EQ(Check(bFile, "e8c8"), MOVE_LEGAL);
    const PositionRecord noRight = MakePosition("r3k2r/8/8/8/8/8/8/4K3", 'b', "KQk-");
    EXPECT_EQ(Check(noRight, "e8c8"), MOVE_ILLEGAL);
    EXPECT_EQ(Check(noRight, "e8g8"), MOVE_LEGAL);
}

TEST(CheckMove, OnlyTheFourCastlingMovesJumpTwoFiles) {
    // All rights present and every square free: only e1-g1/c1 and e8-g8/c8 pass.
    const PositionRecord record = MakePosition("r3k2r/8/8/8/8/8/8/R3K2R", 'w', "KQkq");
    EXPECT_EQ(Check(record, "e1g2"), MOVE_ILLEGAL);  // changes rank
    EXPECT_EQ(Check(record, "e1e3"), MOVE_ILLEGAL);
    EXPECT_EQ(Check(record, "e1b1"), MOVE_ILLEGAL);
    EXPECT_EQ(Check(record, "e1h1"), MOVE_ILLEGAL);  // own rook
    const PositionRecord moved = MakePosition("r3k2r/8/8/8/8/8/8/R2K3R", 'w', "KQkq");
    EXPECT_EQ(Check(moved, "d1f1"), MOVE_ILLEGAL);
    EXPECT_EQ(Check(moved, "d1b1"), MOVE_ILLEGAL);
    // A White king on e8 and a Black one on e1 do not castle.
    const PositionRecord swapped = MakePosition("R3K2R/8/8/8/8/8/8/r3k2r", 'w', "KQkq");
    EXPECT_EQ(Check(swapped, "e8g8"), MOVE_ILLEGAL);
    EXPECT_EQ(Check(swapped, "e1c1"), MOVE_ILLEGAL);
}

TEST(CheckMove, PawnMoves) {
    const PositionRecord record = MakePosition("8/8/8/8/4p3/3n1N2/3P3P/8");
    EXPECT_EQ(Check(record, "d2d3"), MOVE_ILLEGAL);  // straight onto an enemy
    EXPECT_EQ(Check(record, "d2d4"), MOVE_ILLEGAL);  // jumping over a piece
    EXPECT_EQ(Check(record, "h2h3"), MOVE_LEGAL);
    EXPECT_EQ(Check(record, "h2h4"), MOVE_LEGAL);
    EXPECT_EQ(Check(record, "h2h5"), MOVE_ILLEGAL);
    EXPECT_EQ(Check(record, "h2g3"), MOVE_ILLEGAL);  // diagonal onto an empty square
    EXPECT_EQ(Check(record, "h2h1"), MOVE_ILLEGAL);  // backwards
    EXPECT_EQ(Check(record, "d2c3"), MOVE_ILLEGAL);
    EXPECT_EQ(Check(record, "d2e3"), MOVE_ILLEGAL);
    EXPECT_EQ(Check(record, "d2d1"), MOVE_ILLEGAL);
    // Black pawn on e4: straight down, captures down only.
    EXPECT_EQ(Check(record, "e4e3"), MOVE_LEGAL);
    EXPECT_EQ(Check(record, "e4f3"), MOVE_LEGAL);
    EXPECT_EQ(Check(record, "e4d3"), MOVE_ILLEGAL);  // own knight
    EXPECT_EQ(Check(record, "e4e2"), MOVE_ILLEGAL);  // no double step off rank 7
    EXPECT_EQ(Check(record, "e4e5"), MOVE_ILLEGAL);
    // Double steps need both squares empty and the home rank.
    const PositionRecord home = MakePosition("8/3pp3/4N3/3N4/8/8/8/8");
    EXPECT_EQ(Check(home, "d7d5"), MOVE_ILLEGAL);  // target occupied
    EXPECT_EQ(Check(home, "d7d6"), MOVE_LEGAL);
    EXPECT_EQ(Check(home, "e7e5"), MOVE_ILLEGAL);  // e6 occupied
    EXPECT_EQ(Check(home, "d7e6"), MOVE_LEGAL);
    // A pawn capture across the board edge is impossible.
    const PositionRecord edge = MakePosition("8/8/8/8/8/7p/P7/8");
    EXPECT_EQ(Check(edge, "a2h3"), MOVE_ILLEGAL);
    // A step onto the last rank is an ordinary step.
    const PositionRecord last = MakePosition("1n6/P7/8/8/8/8/7p/6N1");
    EXPECT_EQ(Check(last, "a7a8"), MOVE_LEGAL);
    EXPECT_EQ(Check(last, "a7b8"), MOVE_LEGAL);
    EXPECT_EQ(Check(last, "h2h1"), MOVE_LEGAL);
    EXPECT_EQ(Check(last, "h2g1"), MOVE_LEGAL);
}

TEST(CheckMove, EnPassantNeedsTheSquareAndTheSideToMove) {
    const char* diagram = "8/8/8/3pP3/8/8/8/8";
    EXPECT_EQ(Check(MakePosition(diagram, 'w', "----", "D6"), "e5d6"), MOVE_LEGAL);
    EXPECT_EQ(Check(MakePosition(diagram, 'w', "----", "--"), "e5d6"), MOVE_ILLEGAL);
    EXPECT_EQ(Check(MakePosition(diagram, 'w', "----", "00"), "e5d6"), MOVE_ILLEGAL);
    EXPECT_EQ(Check(MakePosition(diagram, 'b', "----", "D6"), "e5d6"), MOVE_ILLEGAL);
    EXPECT_EQ(Check(MakePosition(diagram, 'w', "----", "F6"), "e5d6"), MOVE_ILLEGAL);
    EXPECT_EQ(Check(MakePosition(diagram, 'w', "----", "d6"), "e5d6"), MOVE_ILLEGAL);
    // Black takes on rank 3.
    const char* black = "8/8/8/8/3Pp3/8/8/8";
    EXPECT_EQ(Check(MakePosition(black, 'b', "----", "D3"), "e4d3"), MOVE_LEGAL);
    EXPECT_EQ(Check(MakePosition(black, 'w', "----", "D3"), "e4d3"), MOVE_ILLEGAL);
    // The en passant square must be empty to be taken that way; an occupied
    // one is an ordinary capture or nothing.
    const PositionRecord occupied = MakePosition("8/8/3N4/3pP3/8/8/8/8", 'w', "----", "D6");
    EXPECT_EQ(Check(occupied, "e5d6"), MOVE_ILLEGAL);
}

TEST(PathClear, ResultsForLinesAndNonLines) {
    const PositionRecord empty = MakePosition("8/8/8/8/8/8/8/8");
    EXPECT_EQ(Path(empty, "a1", "c2"), PATH_NOT_LINE);
    EXPECT_EQ(Path(empty, "a1", "a1"), PATH_NOT_LINE);
    EXPECT_EQ(Path(empty, "a1", "h8"), 1);
    EXPECT_EQ(Path(empty, "h1", "a8"), 1);
    EXPECT_EQ(Path(empty, "a1", "a2"), 1);  // nothing between
    EXPECT_EQ(PathClear(empty, 0, 1, 3, 1), -2);
    EXPECT_EQ(PathClear(empty, 1, 1, 1, 9), -3);
    EXPECT_EQ(PathClear(empty, 9, 9, 0, 0), -2);
    EXPECT_EQ(PathClear(empty, 1, 1, 9, 9), -3);
    // The end squares do not matter.
    const PositionRecord ends = MakePosition("7k/8/8/8/8/8/8/K7");
    EXPECT_EQ(Path(ends, "a1", "h8"), 1);
    EXPECT_EQ(Path(ends, "h8", "a1"), 1);
    EXPECT_EQ(Path(ends, "a1", "a1"), PATH_NOT_LINE);
}

TEST(PathClear, FindsABlockerInEveryDirection) {
    const PositionRecord record = MakePosition("8/8/8/2ppp3/2p1p3/2ppp3/8/8");
    for (const char* to : {"d8", "h8", "h4", "g1", "d1", "a1", "a4", "a7"}) {
        EXPECT_EQ(Path(record, "d4", to), 0) << to;
        EXPECT_EQ(Path(record, to, "d4"), 0) << to;
    }
    for (const char* to : {"d5", "e5", "e4", "e3", "d3", "c3", "c4", "c5"})
        EXPECT_EQ(Path(record, "d4", to), 1) << to;
    // A blocker on the last square before the target.
    const PositionRecord late = MakePosition("8/8/8/8/8/8/6p1/R7");
    EXPECT_EQ(Path(late, "a1", "h1"), 1);
    EXPECT_EQ(Path(late, "a1", "h8"), 1);
    EXPECT_EQ(Path(MakePosition("8/6p1/8/8/8/8/8/8"), "a1", "h8"), 0);
}

TEST(CastlingOptions, MaskForEachSide) {
    const PositionRecord all = MakePosition("r3k2r/8/8/8/8/8/8/R3K2R", 'w', "KQkq");
    EXPECT_EQ(CastlingOptions(all, 'w'), CASTLE_KING_SIDE | CASTLE_QUEEN_SIDE);
    EXPECT_EQ(CastlingOptions(all, 'b'), CASTLE_KING_SIDE | CASTLE_QUEEN_SIDE);
    EXPECT_EQ(CastlingOptions(InitialPosition(), 'w'), 0);
    EXPECT_EQ(CastlingOptions(InitialPosition(), 'b'), 0);
    // Any side other than 'w' examines Black.
    const PositionRecord blackQueenSide = MakePosition("r3k2r/8/8/8/8/8/8/R3K2R", 'w', "KQ-q");
    EXPECT_EQ(CastlingOptions(blackQueenSide, 'b'), CASTLE_QUEEN_SIDE);
    EXPECT_EQ(CastlingOptions(blackQueenSide, 'x'), CASTLE_QUEEN_SIDE);
    EXPECT_EQ(CastlingOptions(blackQueenSide, NO_SIDE), CASTLE_QUEEN_SIDE);
    EXPECT_EQ(CastlingOptions(blackQueenSide, 'w'), CASTLE_KING_SIDE | CASTLE_QUEEN_SIDE);
    // The rights stand for the king and rooks, which are not looked for.
    const PositionRecord bare = MakePosition("8/8/8/8/8/8/8/8", 'w', "KQkq");
    EXPECT_EQ(CastlingOptions(bare, 'w'), 3);
    EXPECT_EQ(CastlingOptions(bare, 'b'), 3);
    // Letters in the wrong positions grant nothing.
    const PositionRecord shuffled = MakePosition("8/8/8/8/8/8/8/8", 'w', "QKqk");
    EXPECT_EQ(CastlingOptions(shuffled, 'w'), 0);
    EXPECT_EQ(CastlingOptions(shuffled, 'b'), 0);
}

TEST(CastlingOptions, EachAttackedOrOccupiedSquareClosesItsWing) {
    struct Case {
        const char* rank8;
        int expected;
    };
    // The White king on e1 with both rooks; one Black rook attacks down a file.
    const Case cases[] = {
        {"4k3", 3},  {"r3k3", 3}, {"1r2k3", 3}, {"2r1k3", 1}, {"3rk3", 1},
        {"4r2k", 0}, {"5r1k", 2}, {"6rk", 2},   {"k6r", 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CastlingOptions(WhiteCastlingPosition(c.rank8), 'w'), c.expected) << c.rank8;
    for (int file : {2, 3, 4}) {
        PositionRecord record = WhiteCastlingPosition("4k3");
        record.board[SquareIndex(file, 1)] = 'N';
        EXPECT_EQ(CastlingOptions(record, 'w'), CASTLE_KING_SIDE) << file;
    }
    for (int file : {6, 7}) {
        PositionRecord record = WhiteCastlingPosition("4k3");
        record.board[SquareIndex(file, 1)] = 'b';
        EXPECT_EQ(CastlingOptions(record, 'w'), CASTLE_QUEEN_SIDE) << file;
    }
    // Knight and king attacks count too.
    EXPECT_EQ(CastlingOptions(MakePosition("4k3/8/8/8/8/8/2n5/R3K2R", 'w', "KQ--"), 'w'), 0);
    EXPECT_EQ(CastlingOptions(MakePosition("4k3/8/8/8/8/8/6k1/R3K2R", 'w', "KQ--"), 'w'), 2);
}

TEST(SquareAttacked, InitialRecord) {
    const PositionRecord record = InitialPosition();
    EXPECT_EQ(Attacked(record, "f3", 'w'), 1);
    EXPECT_EQ(Attacked(record, "f3", 'b'), 0);
    EXPECT_EQ(Attacked(record, "d4", 'w'), 0);
    EXPECT_EQ(Attacked(record, "d4", 'b'), 0);
    EXPECT_EQ(Attacked(record, "f6", 'b'), 1);
    // f1 holds a White bishop; the White king beside it makes it attacked.
    EXPECT_EQ(Attacked(record, "f1", 'w'), 1);
    // e2 holds a White pawn: only the king beside it makes it attacked.
    EXPECT_EQ(Attacked(record, "e2", 'w'), 1);
    EXPECT_EQ(Attacked(record, "e7", 'w'), 0);
}

TEST(SquareAttacked, OwnPiecesAreDefendedOnlyByKingAndPawns) {
    // The queen on d1 looks along an open rank at a bishop on f1.
    const PositionRecord queen = MakePosition("7k/8/8/8/8/8/8/3Q1B1K");
    EXPECT_EQ(Attacked(queen, "f1", 'w'), 0);
    EXPECT_EQ(Attacked(queen, "e1", 'w'), 1);
    EXPECT_EQ(Attacked(queen, "g1", 'w'), 1);  // the king beside it
    // A pawn attacks diagonally forward whatever stands there.
    const PositionRecord pawn = MakePosition("8/8/8/8/8/3N1n2/4P3/8");
    EXPECT_EQ(Attacked(pawn, "d3", 'w'), 1);
    EXPECT_EQ(Attacked(pawn, "f3", 'w'), 1);
    EXPECT_EQ(Attacked(pawn, "e3", 'w'), 0);  // straight ahead is no attack
    EXPECT_EQ(Attacked(pawn, "d1", 'w'), 0);  // nor backwards
    // The Black pawn attacks downward.
    const PositionRecord black = MakePosition("8/8/8/4p3/8/8/8/8");
    EXPECT_EQ(Attacked(black, "d4", 'b'), 1);
    EXPECT_EQ(Attacked(black, "f4", 'b'), 1);
    EXPECT_EQ(Attacked(black, "d6", 'b'), 0);
    EXPECT_EQ(Attacked(black, "e4", 'b'), 0);
    // A piece on the square itself does not attack it.
    const PositionRecord self = MakePosition("8/8/8/8/3K4/8/8/8");
    EXPECT_EQ(Attacked(self, "d4", 'w'), 0);
    EXPECT_EQ(Attacked(self, "e5", 'w'), 1);
    EXPECT_EQ(Attacked(self, "f6", 'w'), 0);
}

TEST(SquareAttacked, SlidersAreStoppedByTheFirstPiece) {
    const PositionRecord record = MakePosition("q3r3/8/8/8/4P3/8/8/7b");
    EXPECT_EQ(Attacked(record, "e5", 'b'), 1);
    EXPECT_EQ(Attacked(record, "e4", 'b'), 1);  // the rook takes the pawn
    EXPECT_EQ(Attacked(record, "e3", 'b'), 0);  // behind the pawn
    EXPECT_EQ(Attacked(record, "a1", 'b'), 1);  // queen down the file
    EXPECT_EQ(Attacked(record, "h8", 'b'), 1);  // the rook along the rank
    EXPECT_EQ(Attacked(record, "e8", 'b'), 0);  // the queen may not take its own rook
    EXPECT_EQ(Attacked(record, "d5", 'b'), 1);  // the queen's diagonal
    EXPECT_EQ(Attacked(record, "d3", 'b'), 0);  // on none of their lines
    EXPECT_EQ(Attacked(record, "d5", 'w'), 1);  // the pawn
    EXPECT_EQ(Attacked(record, "b7", 'b'), 1);
    EXPECT_EQ(Attacked(record, "f3", 'b'), 1);  // bishop h1-f3
    EXPECT_EQ(Attacked(record, "d5", 'x'), 0);
}
