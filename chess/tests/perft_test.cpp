#include <gtest/gtest.h>

#include "chess/movegen.h"
#include "chess/tests/fen_game.h"

namespace chess {
namespace {

int64_t PerftOf(const Game& game, int depth) {
    int64_t total = 0;
    for (const PerftBranch& branch : DividedPerft(game, depth)) total += branch.nodes;
    return total;
}

struct PerftCase {
    const char* fen;
    int depth;
    int64_t nodes;
};

// The published counts of the usual suite, at depths that run quickly.
const PerftCase kPerftCases[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 4, 197281},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 3, 97862},
    {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 5, 674624},
    {"r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 3, 9467},
    {"r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1", 3, 9467},
    {"rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 3, 62379},
    {"r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10", 3, 89890},
    // En passant that would expose the king along the rank, and checks by it.
    {"8/8/8/K2pP2q/8/8/8/7k w - d6 0 1", 1, 6},
    {"8/8/8/8/k1pP3Q/8/8/4K3 b - d3 0 1", 1, 6},
};

TEST(Perft, MatchesPublishedCounts) {
    for (const PerftCase& c : kPerftCases)
        EXPECT_EQ(PerftOf(GameFromFen(c.fen), c.depth), c.nodes) << c.fen;
}

TEST(Perft, DividesPerRootMoveAndStopsBelowDepthOne) {
    Game game;
    auto branches = DividedPerft(game, 2);
    ASSERT_EQ(branches.size(), 20u);
    for (const PerftBranch& branch : branches) EXPECT_EQ(branch.nodes, 20);
    EXPECT_TRUE(DividedPerft(game, 0).empty());
}

// Every key kept up move by move equals the key computed from scratch.
void CheckKeys(const Board& board, int depth, int& checked) {
    ASSERT_EQ(board.key, ComputeKey(board));
    ++checked;
    if (depth == 0) return;
    MoveList list;
    GenerateMoves(board, list);
    Board next;
    for (int i = 0; i < list.count; ++i)
        if (PlayOnBoard(board, list.moves[i], next)) CheckKeys(next, depth - 1, checked);
}

TEST(Perft, IncrementalKeysMatchRecomputedKeys) {
    int checked = 0;
    for (int i = 1; i < 7; ++i) CheckKeys(GameFromFen(kPerftCases[i].fen).board, 3, checked);
    EXPECT_GT(checked, 100000);
}

}  // namespace
}  // namespace chess
