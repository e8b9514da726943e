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

// Chess960: published counts for positions reached from starting
// arrangements, castling fields in Shredder-FEN. Between them: a king that
// stays put when castling (g1, h1), king and rook trading squares (f1, g1),
// rooks that stay put (d1, f1), a king on b1 castling long, rights of one
// side only, and none.
const PerftCase kChess960Cases[] = {
    {"bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w HFhf - 2 9", 4, 326672},
    {"2nnrbkr/p1qppppp/8/1ppb4/6PP/3PP3/PPP2P2/BQNNRBKR w HEhe - 1 9", 3, 18002},
    {"b1q1rrkb/pppppppp/3nn3/8/P7/1PPP4/4PPPP/BQNNRKRB w GE - 1 9", 4, 273318},
    {"qbbnnrkr/2pp2pp/p7/1p2pp2/8/P3PP2/1PPP1KPP/QBBNNR1R w hf - 0 9", 3, 13440},
    {"qn1rkrbb/pp1p1ppp/2p1p3/3n4/4P2P/2NP4/PPP2PP1/Q1NRKRBB w FDfd - 1 9", 4, 356950},
    {"bnqbnr1r/p1p1ppkp/3p4/1p4p1/P7/3NP2P/1PPP1PP1/BNQB1RKR w HF - 0 9", 3, 24353},
    {"r1kbbqrn/ppp3pp/2np1p2/1P2p3/3P1P2/8/P1P1P1PP/RNKBBQRN w GAga - 0 9", 3, 28916},
    {"rk1qbbrn/p2npppp/1p6/2p4Q/8/4P3/PPPP1PPP/RNK1B1RN w GA - 2 9", 4, 495406},
    {"nqn2krb/p1prpppp/1pbp4/7P/5P2/8/PPPPPKP1/NQNRB1RB w g - 3 9", 3, 10608},
    {"n1rk1qbb/pppprpp1/2n4p/4p3/2PP3P/8/PP2PPP1/NNRKRQBB w ECc - 1 9", 3, 16031},
    {"nnrkrbbq/pppp2pp/8/4pp2/4P3/P7/1PPPBPPP/NNKRR1BQ w c - 0 9", 3, 19883},
    {"bnnbrkr1/ppp2p1p/5q2/3pp1p1/4P3/1N4P1/PPPPRP1P/BN1B1KRQ w Gge - 0 9", 3, 27228},
    {"1nqr1rbb/pppkp1pp/1n3p2/3p4/1P6/5P1P/P1PPPKP1/NNQR1RBB w - - 1 9", 3, 15921},
};

TEST(Perft, MatchesPublishedCounts) {
    for (const PerftCase& c : kPerftCases)
        EXPECT_EQ(PerftOf(GameFromFen(c.fen), c.depth), c.nodes) << c.fen;
    for (const PerftCase& c : kChess960Cases)
        EXPECT_EQ(PerftOf(GameFromFen(c.fen), c.depth), c.nodes) << c.fen;
}

TEST(Perft, DividesPerRootMoveAndStopsBelowDepthOne) {
    Game game;
    auto branches = DividedPerft(game, 2);
    ASSERT_EQ(branches.size(), 20u);
    for (const PerftBranch& branch : branches) EXPECT_EQ(branch.nodes, 20);
    EXPECT_TRUE(DividedPerft(game, 0).empty());
}

// Every key kept up move by move, the position's and the pawns', equals the
// key computed from scratch.
void CheckKeys(const Board& board, int depth, int& checked) {
    ASSERT_EQ(board.key, ComputeKey(board));
    ASSERT_EQ(board.pawnKey, ComputePawnKey(board));
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
    for (const PerftCase& c : kChess960Cases) CheckKeys(GameFromFen(c.fen).board, 2, checked);
    EXPECT_GT(checked, 100000);
}

}  // namespace
}  // namespace chess
