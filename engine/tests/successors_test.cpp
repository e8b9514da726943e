#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "engine/search.h"
#include "engine/successors.h"
#include "engine/tests/reference_engine.h"
#include "engine/tests/test_memory.h"
#include "rules/legality.h"
#include "rules/tests/test_positions.h"

namespace {

// Nine White queens: more successors than a plain game ever has.
const char* const NINE_QUEENS = "k7/8/1Q1Q1Q1Q/8/Q1Q1Q1Q1/8/4Q3/7K";
// A crowded board of queens, rooks, bishops and knights with 218 moves.
const char* const CROWDED = "3Q4/1Q4Q1/4Q3/2Q4R/Q4Q2/3Q4/1Q4Rp/1K1BBNNk";
// Queens all round the edge: 276 moves.
const char* const QUEEN_RING = "QQQQQQQB/Q6Q/Q6Q/Q6Q/Q6Q/Q6Q/QQ5Q/1KQQQQQk";

std::vector<PositionRecord> Generate(const PositionRecord& position) {
    SuccessorList list = nullptr;
    const int count = GenerateSuccessors(position, list);
    std::vector<PositionRecord> successors;
    if (count > 0) {
        successors.assign(list, list + count);
        ReleaseSuccessors(list);
    }
    return successors;
}

std::vector<PositionRecord> Expected(const PositionRecord& position,
                                     const std::vector<Move>& moves) {
    std::vector<PositionRecord> successors;
    for (const Move& move : moves) successors.push_back(Play(position, move));
    return successors;
}

// The board turned upside down with the colours swapped: Black then has
// what White had.
PositionRecord Mirrored(const PositionRecord& position) {
    PositionRecord mirrored = position;
    for (int rank = 1; rank <= 8; ++rank) {
        for (int file = 1; file <= 8; ++file) {
            char c = PieceAt(position, file, 9 - rank);
            if (SideOf(c) == 'w')
                c = static_cast<char>(c + 32);
            else if (SideOf(c) == 'b')
                c = static_cast<char>(c - 32);
            mirrored.board[SquareIndex(file, rank)] = c;
        }
    }
    mirrored.sideToMove = position.sideToMove == 'w' ? 'b' : 'w';
    return mirrored;
}

}  // namespace

TEST(Successors, InitialPositionInSquareThenTargetOrder) {
    const PositionRecord initial = InitialPosition();
    const std::vector<Move> moves =
        Moves({"b1c3", "b1a3", "g1h3", "g1f3", "a2a3", "a2a4", "b2b3", "b2b4", "c2c3", "c2c4",
               "d2d3", "d2d4", "e2e3", "e2e4", "f2f3", "f2f4", "g2g3", "g2g4", "h2h3", "h2h4"});
    EXPECT_EQ(Generate(initial), Expected(initial, moves));
}

TEST(Successors, BlackAfterE4ScansFromA1ToH8Too) {
    const PositionRecord position = Play(InitialPosition(), {"e2e4"});
    const std::vector<Move> moves =
        Moves({"a7a6", "a7a5", "b7b6", "b7b5", "c7c6", "c7c5", "d7d6", "d7d5", "e7e6", "e7e5",
               "f7f6", "f7f5", "g7g6", "g7g5", "h7h6", "h7h5", "b8c6", "b8a6", "g8h6", "g8f6"});
    EXPECT_EQ(Generate(position), Expected(position, moves));
}

TEST(Successors, SideWithoutKingStillMoves) {
    const PositionRecord position = MakePosition("4k3/8/8/8/8/8/8/R7");
    EXPECT_EQ(Generate(position).size(), 14u);
    // And a side byte that is neither 'w' nor 'b' has no pieces to move.
    EXPECT_TRUE(Generate(MakePosition("4k3/8/8/8/8/8/8/R3K3", 'x')).empty());
}

TEST(Successors, PromotionAndCastlingGiveOneSuccessorEach) {
    const PositionRecord position = MakePosition("4k3/P7/8/8/8/8/8/4K2R", 'w', "K---");
    const std::vector<Move> moves =
        Moves({"e1e2", "e1f2", "e1f1", "e1d1", "e1d2", "e1g1", "h1h2", "h1h3", "h1h4", "h1h5",
               "h1h6", "h1h7", "h1h8", "h1g1", "h1f1", "a7a8"});
    const std::vector<PositionRecord> successors = Generate(position);
    EXPECT_EQ(successors, Expected(position, moves));
    ASSERT_EQ(successors.size(), moves.size());
    EXPECT_EQ(PieceAt(successors[5], 6, 1), 'R');  // the castled rook
    EXPECT_EQ(PieceAt(successors.back(), 1, 8), 'Q');
}

TEST(Successors, ManyQueensGiveTheCompleteListInOrder) {
    for (const char* diagram : {NINE_QUEENS, CROWDED, QUEEN_RING}) {
        const PositionRecord white = MakePosition(diagram, 'w');
        for (const PositionRecord& position : {white, Mirrored(white)}) {
            const std::vector<PositionRecord> successors = Generate(position);
            EXPECT_EQ(successors, reference::Successors(position)) << diagram;
            EXPECT_GT(successors.size(), 100u) << diagram;
        }
    }
    EXPECT_EQ(Generate(MakePosition(CROWDED)).size(), 218u);
    EXPECT_EQ(Generate(MakePosition(QUEEN_RING)).size(), 276u);
}

TEST(Successors, MatchTheGeneratorsOverRandomGames) {
    // Each ply chooses uniformly among GenerateSuccessors' results; every list
    // must be the generators' targets made with MakeMove, in order.
    std::mt19937 random(424242);
    int positions = 0;
    for (int game = 0; game < 200; ++game) {
        PositionRecord position = InitialPosition();
        for (int ply = 0; ply < 150; ++ply) {
            if (!HasKing(position, 'K') || !HasKing(position, 'k')) break;
            const std::vector<PositionRecord> successors = Generate(position);
            ASSERT_EQ(successors, reference::Successors(position))
                << ::testing::PrintToString(position);
            ++positions;
            if (successors.empty()) break;
            std::uniform_int_distribution<std::size_t> pick(0, successors.size() - 1);
            position = successors[pick(random)];
        }
    }
    EXPECT_GT(positions, 10000);
}

TEST(Successors, DeriveMoveNamesTheMoveOfEverySuccessor) {
    // Over random games: the move DeriveMove reads from a successor is one
    // that CheckMove accepts for a piece of the side to move, and making it
    // gives that successor back. Castling comes back as the king's move.
    std::mt19937 random(77);
    for (int game = 0; game < 60; ++game) {
        PositionRecord position = InitialPosition();
        for (int ply = 0; ply < 150; ++ply) {
            if (!HasKing(position, 'K') || !HasKing(position, 'k')) break;
            const std::vector<PositionRecord> successors = Generate(position);
            if (successors.empty()) break;
            for (const PositionRecord& successor : successors) {
                Square from{}, to{};
                DeriveMove(position, successor, from, to);
                ASSERT_EQ(SideOf(PieceAt(position, from.file, from.rank)), position.sideToMove);
                ASSERT_EQ(CheckMove(position, from.file, from.rank, to.file, to.rank), MOVE_LEGAL)
                    << MoveName(Move{from, to}) << " in " << ::testing::PrintToString(position);
                ASSERT_EQ(Play(position, Move{from, to}), successor)
                    << MoveName(Move{from, to}) << " in " << ::testing::PrintToString(position);
            }
            std::uniform_int_distribution<std::size_t> pick(0, successors.size() - 1);
            position = successors[pick(random)];
        }
    }
}

using SuccessorMemory = EngineMemoryTest;

TEST_F(SuccessorMemory, NoMoveAllocatesNothingAndLeavesTheListAlone) {
    // White's king and pawns are boxed in by their own pieces.
    const PositionRecord boxed = MakePosition("6PK/6PP/8/8/8/8/8/k7", 'w');
    const PositionRecord noPieces = MakePosition("8/8/8/8/8/8/8/k7", 'w');
    for (const PositionRecord& position : {boxed, noPieces}) {
        PositionRecord sentinel{};
        SuccessorList list = &sentinel;
        EXPECT_EQ(GenerateSuccessors(position, list), 0);
        EXPECT_EQ(list, &sentinel);
    }
    EXPECT_EQ(Calls(), 0);
    EXPECT_EQ(Reports(), 0);
}

TEST_F(SuccessorMemory, EveryListIsOneBlockReleasedThroughTheHook) {
    for (const char* diagram : {NINE_QUEENS, QUEEN_RING}) {
        ResetCounts();
        SuccessorList list = nullptr;
        const int count = GenerateSuccessors(MakePosition(diagram), list);
        ASSERT_GT(count, 100);
        EXPECT_GE(Calls(), 1);
        EXPECT_EQ(LiveBlocks(), 1) << "only the list itself outlives the call";
        ReleaseSuccessors(list);
        EXPECT_EQ(LiveBlocks(), 0);
        EXPECT_EQ(BadReleases(), 0);
        EXPECT_EQ(Reports(), 0);
    }
    ResetCounts();
    SuccessorList list = nullptr;
    ASSERT_EQ(GenerateSuccessors(InitialPosition(), list), 20);
    EXPECT_EQ(Calls(), 1);
    ReleaseSuccessors(list);
    EXPECT_EQ(LiveBlocks(), 0);
}

TEST_F(SuccessorMemory, FailedAllocationGivesNoSuccessorsAndOneReport) {
    for (const char* diagram :
         {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", NINE_QUEENS, CROWDED, QUEEN_RING}) {
        const PositionRecord position = MakePosition(diagram, 'w', "KQkq");
        ResetCounts();
        SuccessorList list = nullptr;
        const int count = GenerateSuccessors(position, list);
        ASSERT_GT(count, 0);
        ReleaseSuccessors(list);
        const int64_t allocations = Calls();
        // Fail each allocation in turn (the working buffers as well as the
        // list), then every allocation from one on.
        for (int64_t n = 1; n <= allocations; ++n) {
            for (bool andLater : {false, true}) {
                FailCall(n, andLater);
                PositionRecord sentinel{};
                SuccessorList untouched = &sentinel;
                EXPECT_EQ(GenerateSuccessors(position, untouched), 0) << diagram << " call " << n;
                EXPECT_EQ(untouched, &sentinel);
                EXPECT_EQ(Failures(), 1) << "the call stops at the first failure";
                EXPECT_EQ(Reports(), 1);
                EXPECT_EQ(ReportsOffThread(), 0);
                EXPECT_EQ(LiveBlocks(), 0);
                EXPECT_EQ(BadReleases(), 0);
            }
        }
        // Past the last allocation nothing fails and nothing is reported.
        FailCall(allocations + 1);
        list = nullptr;
        EXPECT_EQ(GenerateSuccessors(position, list), count);
        EXPECT_EQ(Reports(), 0);
        ReleaseSuccessors(list);
        EXPECT_EQ(LiveBlocks(), 0);
    }
}

TEST_F(SuccessorMemory, WithoutAReporterAFailureIsSilent) {
    SetOutOfMemoryReporter(nullptr);
    FailCall(1, true);
    PositionRecord sentinel{};
    SuccessorList list = &sentinel;
    EXPECT_EQ(GenerateSuccessors(InitialPosition(), list), 0);
    EXPECT_EQ(list, &sentinel);
    EXPECT_EQ(Reports(), 0);
    EXPECT_EQ(LiveBlocks(), 0);
}
