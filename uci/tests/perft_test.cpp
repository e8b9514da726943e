#include <gtest/gtest.h>

#include "session_helpers.h"
#include "uci/fen.h"
#include "uci/perft.h"

namespace {

int64_t PerftOf(const std::string& fen, int depth) {
    PositionRecord position{};
    std::string error;
    EXPECT_TRUE(ParseFen(fen, position, error)) << error;
    bool outOfMemory = false;
    const int64_t nodes = Perft(position, depth, outOfMemory);
    EXPECT_FALSE(outOfMemory);
    return nodes;
}

}  // namespace

// No king can be taken within three plies of the start, so these agree with
// the counts of legal chess.
TEST(Perft, InitialPositionToDepthThree) {
    bool outOfMemory = false;
    EXPECT_EQ(Perft(InitialPosition(), 1, outOfMemory), 20);
    EXPECT_EQ(Perft(InitialPosition(), 2, outOfMemory), 400);
    EXPECT_EQ(Perft(InitialPosition(), 3, outOfMemory), 8902);
}

TEST(Perft, CountsCastlingPromotionAndPositionsWithoutKings) {
    // Rooks: a1 has 7 up and 3 along the rank, h1 7 up and 2; the king 5 steps and 2 castlings.
    EXPECT_EQ(PerftOf("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", 1), 26);
    // King: 5 steps; the pawn: one promotion.
    EXPECT_EQ(PerftOf("4k3/P7/8/8/8/8/8/4K3 w - - 0 1", 1), 6);
    // Without kings the recursion still runs: a1 to b3 or c2, then h1 to f2 or g3.
    EXPECT_EQ(PerftOf("8/8/8/8/8/8/8/N6n w - - 0 1", 2), 4);
    // A pawn on its last rank cannot move.
    EXPECT_EQ(PerftOf("P7/8/8/8/8/8/8/8 w - - 0 1", 3), 0);
}

TEST(Perft, GoPerftListsEachRootMoveInSuccessorOrderThenTheTotal) {
    UciSession session;
    const std::vector<std::string> lines = OutputLines(RunScript(session, "go perft 2"));
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[0], "b1c3: 20");  // the knights come first: b1 is the first occupied square
    EXPECT_EQ(lines[1], "b1a3: 20");
    EXPECT_EQ(lines[19], "h2h4: 20");
    EXPECT_EQ(lines[20], "");
    EXPECT_EQ(lines[21], "Nodes searched: 400");
    EXPECT_EQ(session.errorCount, 0);
}
