#include <gtest/gtest.h>

#include <algorithm>

#include "chess/search.h"
#include "chess/search_margins.h"
#include "chess/tests/fen_game.h"

namespace chess {
namespace {

struct Outcome {
    Move move = NO_MOVE;
    Iteration last;
    int iterations = 0;
};

Outcome RunThink(const Game& game, SearchLimits limits, bool stopAtOnce = false,
                 SearchThreads* threads = nullptr) {
    SearchTables tables;
    std::string error;
    EXPECT_TRUE(ResizeSearchTables(tables, 4, error)) << error;
    SearchThreads one;
    std::atomic<bool> stop{stopAtOnce};
    Outcome outcome;
    outcome.move = Think(tables, threads ? *threads : one, game, limits, stop,
                         [&](const Iteration& iteration) {
                             outcome.last = iteration;
                             ++outcome.iterations;
                             return true;
                         });
    return outcome;
}

SearchLimits Depth(int depth) {
    SearchLimits limits;
    limits.maxDepth = depth;
    return limits;
}

bool IsLegal(const Game& game, Move move) {
    std::vector<Move> moves = LegalMoves(game);
    return std::find(moves.begin(), moves.end(), move) != moves.end();
}

struct ScoreCase {
    const char* fen;
    int depth;
    int mateIn;         // expected mateIn; 0 means the score below
    int score;          // expected exact score when mateIn is 0
    const char* avoid;  // a move that must not be chosen, or nullptr
};

const ScoreCase kScoreCases[] = {
    // Mates in one, two and three, and being mated in one.
    {"6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1", 4, 1, 0, nullptr},
    {"4k3/8/8/8/8/8/R7/1R4K1 w - - 0 1", 6, 2, 0, nullptr},
    {"r5rk/5p1p/5R2/4B3/8/8/7P/7K w - - 0 1", 8, 3, 0, nullptr},
    {"k7/8/1K6/8/8/8/8/7R b - - 0 1", 4, -1, 0, nullptr},
    // The queen that would stalemate the lone king mates instead.
    {"7k/8/6K1/8/8/8/8/5Q2 w - - 0 1", 4, 1, 0, "f1f7"},
    // The side a queen down checks with its rook until stalemate or repetition.
    {"7k/5Q2/6K1/8/8/8/8/r7 b - - 0 1", 12, 0, 0, nullptr},
    // With the half-move clock at 99 any quiet move draws, unless it mates.
    {"4k3/8/8/8/8/8/q7/4K2N w - - 99 80", 4, 0, 0, nullptr},
    {"6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 99 80", 4, 1, 0, nullptr},
    // Bare kings, and king and bishop against king, are dead draws.
    {"8/5k2/8/8/8/8/2K5/8 w - - 0 1", 6, 0, 0, nullptr},
    {"8/5k2/4b3/8/8/8/2K5/8 w - - 0 1", 6, 0, 0, nullptr},
};

TEST(Think, FindsMatesAndDraws) {
    for (const ScoreCase& c : kScoreCases) {
        Game game = GameFromFen(c.fen);
        Outcome outcome = RunThink(game, Depth(c.depth));
        EXPECT_TRUE(IsLegal(game, outcome.move)) << c.fen;
        EXPECT_EQ(outcome.last.mateIn, c.mateIn) << c.fen;
        if (c.mateIn == 0) {
            EXPECT_EQ(outcome.last.score, c.score) << c.fen;
        }
        if (c.avoid) {
            EXPECT_NE(MoveText(outcome.move), c.avoid) << c.fen;
        }
        EXPECT_EQ(outcome.last.pv.front(), outcome.move) << c.fen;
    }
}

TEST(Think, ReturnsNoMoveWithoutLegalMoves) {
    for (const char* fen :
         {"7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", "3R2k1/5ppp/8/8/8/8/5PPP/6K1 b - - 0 1"}) {
        Outcome outcome = RunThink(GameFromFen(fen), Depth(5));
        EXPECT_EQ(outcome.move, NO_MOVE) << fen;
        EXPECT_EQ(outcome.iterations, 0) << fen;
    }
}

TEST(Think, RepeatsAPositionOfTheGameWhenLosing) {
    // A queen down, White shuffles the knight; Black's queen shuffles too.
    Game game = GameFromFen("q6k/8/8/8/8/8/8/6NK w - - 0 1");
    std::string error;
    for (const char* move : {"g1f3", "a8a7", "f3g1", "a7a8", "g1f3", "a8a7"})
        ASSERT_TRUE(PlayMove(game, move, error)) << error;
    Outcome outcome = RunThink(game, Depth(6));
    EXPECT_EQ(MoveText(outcome.move), "f3g1");
    EXPECT_EQ(outcome.last.score, 0);
    EXPECT_EQ(outcome.last.mateIn, 0);
}

TEST(Think, HonoursSearchMovesStopAndNodeLimits) {
    Game game;
    SearchLimits only = Depth(6);
    for (Move move : LegalMoves(game))
        if (MoveText(move) == "a2a3" || MoveText(move) == "h2h3") only.searchMoves.push_back(move);
    std::string chosen = MoveText(RunThink(game, only).move);
    EXPECT_TRUE(chosen == "a2a3" || chosen == "h2h3") << chosen;

    // Each move alone is searched when it is the only one allowed.
    Game small = GameFromFen("4k3/8/8/8/8/8/8/R3K3 w Q - 0 1");
    for (Move move : LegalMoves(small)) {
        SearchLimits one = Depth(2);
        one.searchMoves = {move};
        EXPECT_EQ(RunThink(small, one).move, move) << MoveText(move);
    }

    // Depth 1 here takes more nodes than the search counts between two
    // looks at the stop flag.
    Game busy = GameFromFen("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
    Outcome stopped = RunThink(busy, Depth(30), true);
    EXPECT_TRUE(IsLegal(busy, stopped.move));
    EXPECT_EQ(stopped.iterations, 1) << "depth 1 finishes even when stopped";

    SearchLimits nodes = Depth(60);
    nodes.maxNodes = 20000;
    Outcome limited = RunThink(game, nodes);
    EXPECT_TRUE(IsLegal(game, limited.move));
    EXPECT_LT(limited.last.nodes, 20000);
    EXPECT_GT(limited.last.depth, 3);
}

TEST(Think, OneThreadIsDeterministicAndTwoThreadsFindALegalMove) {
    Game game = GameFromFen("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
    Outcome first = RunThink(game, Depth(6)), second = RunThink(game, Depth(6));
    EXPECT_EQ(first.move, second.move);
    EXPECT_EQ(first.last.nodes, second.last.nodes);
    EXPECT_EQ(first.last.pv, second.last.pv);

    SearchThreads two;
    std::string error;
    ASSERT_EQ(SetSearchThreads(two, 2, error), 2) << error;
    Outcome outcome = RunThink(game, Depth(7), false, &two);
    EXPECT_TRUE(IsLegal(game, outcome.move));
    EXPECT_EQ(outcome.last.depth, 7);
}

// The engine plays both sides from a few positions; the stronger side mates
// the lone king well within fifty moves.
TEST(Think, MatesTheLoneKingWithQueenOrRook) {
    const char* fens[] = {
        "8/8/8/3k4/8/8/8/KQ6 w - - 0 1",
        "8/8/8/4k3/8/8/8/R3K3 w - - 0 1",
        "7R/8/8/8/3k4/8/8/7K b - - 0 1",
    };
    SearchLimits limits = Depth(60);
    limits.maxNodes = 20000;
    for (const char* fen : fens) {
        Game game = GameFromFen(fen);
        SearchTables tables;
        std::string error;
        ASSERT_TRUE(ResizeSearchTables(tables, 4, error)) << error;
        SearchThreads threads;
        std::atomic<bool> stop{false};
        int plies = 0;
        for (; plies < 100; ++plies) {
            Move move = Think(tables, threads, game, limits, stop, nullptr);
            if (move == NO_MOVE) break;
            std::string error;
            ASSERT_TRUE(PlayMove(game, MoveText(move), error)) << error;
        }
        EXPECT_LT(plies, 100) << fen;
        EXPECT_TRUE(LegalMoves(game).empty()) << fen;
        PositionRecord record = RecordOf(game);
        EXPECT_EQ(std::count(record.board, record.board + 64, 'k'), 1) << fen;
    }
}

struct BestMoveCase {
    const char* fen;
    int depth;
    const char* best;
    int minScore;  // the side to move scores at least this
    int maxScore;  // and at most this
};

// Zugzwang: the side to move would pass if it could. The trebuchet (whoever
// moves loses the pawn), and a queen ending where only a king move keeps
// Black in zugzwang.
const BestMoveCase kZugzwangs[] = {
    {"8/8/8/3Kp3/4Pk2/8/8/8 w - - 0 1", 10, nullptr, -INFINITE_SCORE, -150},
    {"8/8/8/3Kp3/4Pk2/8/8/8 b - - 0 1", 10, nullptr, -INFINITE_SCORE, -150},
    {"8/8/3k4/3p4/3P4/3K4/8/8 w - - 0 1", 10, nullptr, -50, 50},
    {"1q1k4/2Rr4/8/2Q3K1/8/8/8/8 w - - 0 1", 10, "g5h6", 200, INFINITE_SCORE},
};

TEST(Think, FindsTheMoveInZugzwang) {
    for (const BestMoveCase& c : kZugzwangs) {
        Outcome outcome = RunThink(GameFromFen(c.fen), Depth(c.depth));
        if (c.best) {
            EXPECT_EQ(MoveText(outcome.move), c.best) << c.fen;
        }
        EXPECT_EQ(outcome.last.mateIn, 0) << c.fen;
        EXPECT_GE(outcome.last.score, c.minScore) << c.fen;
        EXPECT_LE(outcome.last.score, c.maxScore) << c.fen;
    }
}

// Positions whose score jumps between two depths by more than the
// aspiration window, up (a hidden win found) or down (a win that is not
// there: the Saavedra pawn promotes into stalemate unless it becomes a rook).
const BestMoveCase kJumps[] = {
    {"4kb1r/p2r1ppp/4qn2/1B2p1B1/4P3/1Q6/PPP2PPP/2KR4 w k - 0 15", 8, "b5d7", 500, INFINITE_SCORE},
    {"1q1k4/2Rr4/8/2Q3K1/8/8/8/8 w - - 0 1", 8, "g5h6", 200, INFINITE_SCORE},
    {"8/8/1KP5/3r4/8/8/8/k7 w - - 0 1", 9, "c6c7", -50, INFINITE_SCORE},
};

// After re-searches with wider windows the last iteration's score lies
// inside its window: the root's table entry is exact, with that score.
TEST(Think, AspirationReSearchesEndInsideTheWindow) {
    for (const BestMoveCase& c : kJumps) {
        Game game = GameFromFen(c.fen);
        SearchTables tables;
        std::string error;
        ResizeSearchTables(tables, 4, error);
        std::atomic<bool> stop{false};
        std::vector<Iteration> iterations;
        SearchThreads pool;
        Move best =
            Think(tables, pool, game, Depth(c.depth), stop, [&](const Iteration& iteration) {
                iterations.push_back(iteration);
                return true;
            });
        bool jumped = false;
        for (size_t i = ASPIRATION_MIN_DEPTH - 1; i < iterations.size(); ++i) {
            int change = iterations[i].score - iterations[i - 1].score;
            jumped |= change > ASPIRATION_WINDOW || change < -ASPIRATION_WINDOW;
        }
        EXPECT_TRUE(jumped) << c.fen << ": the case no longer needs a re-search";
        EXPECT_EQ(MoveText(best), c.best) << c.fen;
        const Iteration& last = iterations.back();
        EXPECT_EQ(last.mateIn, 0) << c.fen;
        EXPECT_GE(last.score, c.minScore) << c.fen;
        TableHit root;
        ASSERT_TRUE(ProbeTable(tables, game.board.key, root)) << c.fen;
        EXPECT_EQ(root.bound, BOUND_EXACT) << c.fen;
        EXPECT_EQ(root.depth, c.depth) << c.fen;
        EXPECT_EQ(root.score, last.score) << c.fen;
        EXPECT_EQ(root.move, best) << c.fen;
    }
}

}  // namespace
}  // namespace chess
