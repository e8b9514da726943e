#include <gtest/gtest.h>

#include <sstream>

#include "chess/tests/fen_game.h"

namespace chess {
namespace {

struct LineCase {
    const char* fen;
    const char* moves;  // played into the game before the search, or ""
    int depth;
};

const LineCase kLines[] = {
    // Draws by rule in the middle of a line: the fifty-move rule at 99 and a
    // repetition of the game, where a stale line used to follow the draw.
    {"4k3/8/4p3/8/3P4/8/8/Q3K3 b - - 99 80", "", 4},
    {"6k1/5ppp/8/2n5/8/8/P7/1R4K1 w - - 99 80", "", 3},
    {"4k3/8/4p3/8/3P4/8/8/Q3K3 b - - 0 1", "e8d7 a1a2 d7e8 a2a1", 5},
    {"6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 99 80", "", 4},
    {"4k3/8/8/8/8/8/q7/4K2N w - - 98 80", "", 5},
    {"q6k/8/8/8/8/8/8/6NK w - - 0 1", "g1f3 a8a7 f3g1 a7a8 g1f3 a8a7", 6},
    {"r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3", "f3g1 c6b8 g1f3 b8c6", 6},
    // Openings, middle games and endings.
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "", 7},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", "", 6},
    {"r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1", "", 6},
    {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", "", 9},
    {"8/8/8/3Kp3/4Pk2/8/8/8 w - - 0 1", "", 10},
    {"1q1k4/2Rr4/8/2Q3K1/8/8/8/8 w - - 0 1", "", 8},
    {"4k3/1P6/8/8/8/8/6p1/4K3 w - - 0 1", "", 7},
    // Mates in one for either side, being mated, and stalemate traps.
    {"6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1", "", 4},
    {"k7/8/1K6/8/8/8/8/7R b - - 0 1", "", 4},
    {"7k/8/6K1/8/8/8/8/5Q2 w - - 0 1", "", 5},
    {"7k/5Q2/6K1/8/8/8/8/r7 b - - 0 1", "", 8},
    {"k7/8/1Q6/8/8/8/8/6K1 w - - 0 1", "", 5},
    {"5k2/5P2/5K2/8/8/8/8/8 w - - 0 1", "", 6},
};

Game GameWithMoves(const LineCase& c) {
    Game game = GameFromFen(c.fen);
    std::istringstream moves(c.moves);
    std::string move, error;
    while (moves >> move) EXPECT_TRUE(PlayMove(game, move, error)) << c.fen << " " << error;
    return game;
}

// Every line the search reports is a legal game continuation; a line that
// ends in mate or stalemate stops there (no move could follow anyway).
TEST(PrincipalVariation, EveryIterationsLineIsLegalChess) {
    for (const LineCase& c : kLines) {
        const Game start = GameWithMoves(c);
        SearchTables tables;
        std::string error;
        ResizeSearchTables(tables, 4, error);
        std::atomic<bool> stop{false};
        SearchLimits limits;
        limits.maxDepth = c.depth;
        std::vector<Iteration> iterations;
        SearchThreads pool;
        Move best = Think(tables, pool, start, limits, stop, [&](const Iteration& iteration) {
            iterations.push_back(iteration);
            return true;
        });
        ASSERT_EQ(int(iterations.size()), c.depth) << c.fen;
        EXPECT_EQ(iterations.back().pv.front(), best) << c.fen;
        for (const Iteration& iteration : iterations) {
            Game game = start;
            for (Move move : iteration.pv) {
                std::string error;
                ASSERT_TRUE(PlayMove(game, MoveText(move), error))
                    << c.fen << " depth " << iteration.depth << ": " << error;
            }
        }
    }
}

}  // namespace
}  // namespace chess
