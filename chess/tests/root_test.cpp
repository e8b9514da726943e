#include <gtest/gtest.h>

#include <memory>

#include "chess/evaluate.h"
#include "chess/search.h"
#include "chess/tests/fen_game.h"

namespace chess {
namespace {

// One search thread on its own table, driven root search by root search.
struct RootSearch {
    SearchTables tables = TablesOf(1);
    std::atomic<bool> stop{false};
    SharedSearch shared;
    std::unique_ptr<Worker> worker = std::make_unique<Worker>();
    Game game;

    explicit RootSearch(const Game& start) : game(start) {
        shared.tables = &tables;
        shared.stop = &stop;
        worker->shared = &shared;
        StartWorker(*worker, game.board, game.history.data(), int(game.history.size()));
        for (Move move : LegalMoves(game)) worker->rootMoves[worker->rootMoveCount++] = move;
    }
};

// The window's edges relative to the full-window score, far enough from it
// that pruning's window dependence cannot move the score across, and the
// bound a root search in that window must store.
struct WindowCase {
    int alphaAbove, betaAbove;
    int bound;
};

const WindowCase kWindows[] = {
    {-INFINITE_SCORE, INFINITE_SCORE, BOUND_EXACT},
    {-300, 300, BOUND_EXACT},
    {300, 301, BOUND_UPPER},
    {300, INFINITE_SCORE, BOUND_UPPER},
    {-301, -300, BOUND_LOWER},
    {-INFINITE_SCORE, -300, BOUND_LOWER},
};

TEST(SearchRoot, StoresTheBoundTheWindowGives) {
    for (const char* fen : {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
                            "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1"}) {
        const int depth = 5;
        RootSearch exact{GameFromFen(fen)};
        int truth = SearchRoot(*exact.worker, -INFINITE_SCORE, INFINITE_SCORE, depth);
        for (const WindowCase& c : kWindows) {
            RootSearch search{GameFromFen(fen)};
            int alpha = c.alphaAbove == -INFINITE_SCORE ? -INFINITE_SCORE : truth + c.alphaAbove;
            int beta = c.betaAbove == INFINITE_SCORE ? INFINITE_SCORE : truth + c.betaAbove;
            int score = SearchRoot(*search.worker, alpha, beta, depth);
            TableHit hit;
            EXPECT_TRUE(ProbeTable(search.tables, search.game.board.key, hit));
            EXPECT_EQ(hit.bound, c.bound) << fen << " window " << alpha << " " << beta;
            EXPECT_EQ(hit.score, score);
            EXPECT_EQ(hit.depth, depth);
            EXPECT_EQ(hit.eval, EvaluateBoard(search.game.board));
            EXPECT_TRUE(c.bound == BOUND_UPPER   ? score <= alpha
                        : c.bound == BOUND_LOWER ? score >= beta
                                                 : score > alpha && score < beta)
                << fen << " window " << alpha << " " << beta << ": " << score;
        }
    }
}

struct PassCase {
    const char* fen;
    int clock;  // the half-move clock the position is started with
};

const PassCase kPasses[] = {
    {"4k3/8/8/8/8/8/8/R3K3 w Q - 0 1", 37},
    {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", 0},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R b KQkq - 0 1", 99},
};

// Passing is no move: the fifty-move count stands still, and no position
// before the pass can be repeated after it.
TEST(NullMove, KeepsTheClockAndClosesTheRepetitionWindow) {
    for (const PassCase& c : kPasses) {
        Game game = GameFromFen(c.fen);
        game.board.halfMoveClock = game.board.reversiblePlies = c.clock;
        Board passed;
        PlayNullMove(game.board, passed);
        EXPECT_EQ(passed.halfMoveClock, c.clock) << c.fen;
        EXPECT_EQ(passed.reversiblePlies, 0) << c.fen;
        EXPECT_EQ(passed.side, game.board.side ^ 1) << c.fen;
        EXPECT_EQ(passed.enPassant, NO_SQUARE) << c.fen;
        EXPECT_EQ(passed.key, ComputeKey(passed)) << c.fen;
    }
}

struct ClockCase {
    const char* fen;
    const char* move;
    int clock, reversible;  // after the move, from a position at 10 and 4
};

const ClockCase kClocks[] = {
    {"4k3/8/8/8/8/8/8/R3K3 w Q - 0 1", "a1a5", 11, 5},
    {"4k3/8/8/8/8/8/8/R3K3 w Q - 0 1", "e1c1", 11, 5},
    {"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1", "e2e4", 0, 0},
    {"4k3/8/8/r7/8/8/8/R3K3 w Q - 0 1", "a1a5", 0, 0},
    {"4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1", "e5d6", 0, 0},
};

TEST(PlayMove, CountsPliesForTheFiftyMoveRuleAndRepetitions) {
    for (const ClockCase& c : kClocks) {
        Game game = GameFromFen(c.fen);
        game.board.halfMoveClock = 10;
        game.board.reversiblePlies = 4;
        std::string error;
        ASSERT_TRUE(PlayMove(game, c.move, error)) << error;
        EXPECT_EQ(game.board.halfMoveClock, c.clock) << c.fen << " " << c.move;
        EXPECT_EQ(game.board.reversiblePlies, c.reversible) << c.fen << " " << c.move;
    }
}

}  // namespace
}  // namespace chess
