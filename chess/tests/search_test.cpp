#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "chess/search.h"
#include "chess/search_margins.h"
#include "chess/tests/fen_game.h"

namespace chess {
namespace {

// However often a history gains or loses, it moves toward the bonus's sign
// and stays within its bounds, nearing the bound the bonus points to.
TEST(History, GravityKeepsValuesBounded) {
    for (int start : {-HISTORY_MAX, -5000, 0, 5000, HISTORY_MAX})
        for (int bonus : {1, 400, 3200, HISTORY_MAX, -1, -400, -3200, -HISTORY_MAX}) {
            int16_t value = int16_t(start);
            for (int step = 0; step < 300; ++step) {
                int before = value;
                AddHistory(value, bonus);
                ASSERT_LE(value, HISTORY_MAX) << start << " " << bonus;
                ASSERT_GE(value, -HISTORY_MAX) << start << " " << bonus;
                ASSERT_GE((value - before) * bonus, 0) << start << " " << bonus;
            }
            int bound = bonus > 0 ? HISTORY_MAX : -HISTORY_MAX;
            if (std::abs(bonus) >= 400) {
                EXPECT_LE(std::abs(bound - value), std::abs(bonus)) << start << " " << bonus;
            }
        }
    // Gains and losses by turns settle where they balance, near zero.
    int16_t value = 0;
    for (int step = 0; step < 1000; ++step) AddHistory(value, step % 2 ? 3200 : -3200);
    EXPECT_LE(std::abs(int(value)), 3200);
}

constexpr int ANY_MATE = 1000;  // mateIn not checked
constexpr int WIN = INFINITE_SCORE;

struct SearchCase {
    const char* fen;
    const char* moves;  // played into the game before the search
    int depth;
    int mateIn;
    int low, high;     // the score's range when mateIn is 0
    const char* best;  // the move to play, or nullptr
};

const SearchCase kSearches[] = {
    // Mates in one, two and three, and being mated in one; the queen that
    // would stalemate the lone king mates instead.
    {"6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1", "", 4, 1, 0, 0, nullptr},
    {"4k3/8/8/8/8/8/R7/1R4K1 w - - 0 1", "", 6, 2, 0, 0, nullptr},
    {"r5rk/5p1p/5R2/4B3/8/8/7P/7K w - - 0 1", "", 8, 3, 0, 0, nullptr},
    {"k7/8/1K6/8/8/8/8/7R b - - 0 1", "", 4, -1, 0, 0, nullptr},
    {"7k/8/6K1/8/8/8/8/5Q2 w - - 0 1", "", 5, 1, 0, 0, nullptr},
    // The side a queen down checks with its rook until stalemate or repetition.
    {"7k/5Q2/6K1/8/8/8/8/r7 b - - 0 1", "", 12, 0, 0, 0, nullptr},
    // Draws by rule in the middle of a line: the fifty-move rule at 99 (any
    // quiet move draws, unless it mates) and a repetition of the game, where
    // a stale line used to follow the draw.
    {"4k3/8/8/8/8/8/q7/4K2N w - - 99 80", "", 4, 0, 0, 0, nullptr},
    {"4k3/8/8/8/8/8/q7/4K2N w - - 98 80", "", 5, ANY_MATE, -WIN, WIN, nullptr},
    // At 100, a check that leaves one way out (the first move generated) draws.
    {"7k/6pp/8/8/7N/8/B7/K7 w - - 99 80", "", 3, 0, 0, 0, nullptr},
    {"6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 99 80", "", 4, 1, 0, 0, nullptr},
    {"4k3/8/4p3/8/3P4/8/8/Q3K3 b - - 99 80", "", 4, ANY_MATE, -WIN, WIN, nullptr},
    {"6k1/5ppp/8/2n5/8/8/P7/1R4K1 w - - 99 80", "", 3, ANY_MATE, -WIN, WIN, nullptr},
    {"4k3/8/4p3/8/3P4/8/8/Q3K3 b - - 0 1", "e8d7 a1a2 d7e8 a2a1", 5, ANY_MATE, -WIN, WIN, nullptr},
    {"r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3", "f3g1 c6b8 g1f3 b8c6", 6,
     ANY_MATE, -WIN, WIN, nullptr},
    // A queen down, White repeats the game's position to draw.
    {"q6k/8/8/8/8/8/8/6NK w - - 0 1", "g1f3 a8a7 f3g1 a7a8 g1f3 a8a7", 6, 0, 0, 0, "f3g1"},
    // Bare kings, and king and bishop against king, are dead draws.
    {"8/5k2/8/8/8/8/2K5/8 w - - 0 1", "", 6, 0, 0, 0, nullptr},
    {"8/5k2/4b3/8/8/8/2K5/8 w - - 0 1", "", 6, 0, 0, 0, nullptr},
    // Zugzwang: the side to move would pass if it could. The trebuchet
    // (whoever moves loses the pawn), and a queen ending where only a king
    // move keeps Black in zugzwang.
    {"8/8/8/3Kp3/4Pk2/8/8/8 w - - 0 1", "", 10, 0, -WIN, -150, nullptr},
    {"8/8/8/3Kp3/4Pk2/8/8/8 b - - 0 1", "", 10, 0, -WIN, -150, nullptr},
    {"8/8/3k4/3p4/3P4/3K4/8/8 w - - 0 1", "", 10, 0, -50, 50, nullptr},
    {"1q1k4/2Rr4/8/2Q3K1/8/8/8/8 w - - 0 1", "", 13, 0, 200, WIN, "g5h6"},
    // Openings, middle games, endings and stalemate traps.
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", "", 7, 0, -WIN, WIN, nullptr},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", "", 6, 0, -WIN, WIN,
     nullptr},
    {"r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1", "", 6, ANY_MATE, -WIN, WIN,
     nullptr},
    {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", "", 9, 0, -WIN, WIN, nullptr},
    {"4k3/1P6/8/8/8/8/6p1/4K3 w - - 0 1", "", 7, ANY_MATE, -WIN, WIN, nullptr},
    {"k7/8/1Q6/8/8/8/8/6K1 w - - 0 1", "", 5, ANY_MATE, -WIN, WIN, nullptr},
    {"5k2/5P2/5K2/8/8/8/8/8 w - - 0 1", "", 6, ANY_MATE, -WIN, WIN, nullptr},
};

// Every line the search reports is a legal game continuation; a line that
// ends in mate or stalemate stops there (no move could follow anyway).
TEST(Think, FindsMatesDrawsAndZugzwangsOnLegalLines) {
    for (const SearchCase& c : kSearches) {
        const Game start = GameFromFen(c.fen, c.moves);
        Searched searched = Search(start, Depth(c.depth));
        ASSERT_EQ(int(searched.iterations.size()), c.depth) << c.fen;
        EXPECT_EQ(searched.last.pv.front(), searched.move) << c.fen;
        if (c.mateIn != ANY_MATE) {
            EXPECT_EQ(searched.last.mateIn, c.mateIn) << c.fen;
        }
        if (searched.last.mateIn == 0) {
            EXPECT_GE(searched.last.score, c.low) << c.fen;
            EXPECT_LE(searched.last.score, c.high) << c.fen;
        }
        if (c.best) {
            EXPECT_EQ(MoveText(searched.move), c.best) << c.fen;
        }
        for (const Iteration& iteration : searched.iterations) {
            Game game = start;
            for (Move move : iteration.pv) {
                std::string error;
                ASSERT_TRUE(PlayMove(game, MoveText(move), error))
                    << c.fen << " depth " << iteration.depth << ": " << error;
            }
        }
    }
}

// A line goes on through the captures the quiescence search finds: the
// rook taken at depth 1, then the knight lost for it.
TEST(Think, LinesGoOnThroughTheCapturesThatFollow) {
    Searched searched = Search(GameFromFen("4k3/7b/8/3r4/8/8/8/1N1QK3 w - - 0 1"), Depth(1));
    ASSERT_EQ(searched.last.pv.size(), 2u);
    EXPECT_EQ(MoveText(searched.last.pv[0]) + MoveText(searched.last.pv[1]), "d1d5h7b1");
}

TEST(Think, ReturnsNoMoveWithoutLegalMoves) {
    for (const char* fen :
         {"7k/5Q2/6K1/8/8/8/8/8 b - - 0 1", "3R2k1/5ppp/8/8/8/8/5PPP/6K1 b - - 0 1"}) {
        Searched searched = Search(GameFromFen(fen), Depth(5));
        EXPECT_EQ(searched.move, NO_MOVE) << fen;
        EXPECT_TRUE(searched.iterations.empty()) << fen;
    }
}

TEST(Think, HonoursSearchMovesStopAndNodeLimits) {
    // Each move alone is searched when it is the only one allowed.
    Game small = GameFromFen("4k3/8/8/8/8/8/8/R3K3 w Q - 0 1");
    for (Move move : LegalMoves(small)) {
        SearchLimits one = Depth(2);
        one.searchMoves = {move};
        EXPECT_EQ(Search(small, one).move, move) << MoveText(move);
    }

    // Depth 1 here takes more nodes than the search counts between two
    // looks at the stop flag.
    Game busy = GameFromFen("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
    Searched stopped = Search(busy, Depth(30), nullptr, nullptr, true);
    EXPECT_TRUE(IsLegal(busy, stopped.move));
    EXPECT_EQ(stopped.iterations.size(), 1u) << "depth 1 finishes even when stopped";

    Game game;
    SearchLimits nodes = Depth(60);
    nodes.maxNodes = 20000;
    Searched limited = Search(game, nodes);
    EXPECT_TRUE(IsLegal(game, limited.move));
    EXPECT_LT(limited.last.nodes, 20000);
    EXPECT_GT(limited.last.depth, 3);
}

// A node limit stops the search inside a depth. A root move that took the
// lead there was searched to the end and beat the last finished depth's
// best, so it is played; with several lines the finished depth decides.
TEST(Think, PlaysTheMoveThatTookTheLeadInTheUnfinishedDepth) {
    // Unbalanced openings, where the best move changes often between depths.
    const char* const kOpenings[] = {
        "r1bqkbr1/pp1pp1pp/n6n/2p2p2/N4P2/6P1/PPPPP2P/R1BQKBNR w KQq - 2 6",
        "r1bqkbnr/4ppp1/np1p4/p1p4p/2B1PPQ1/1P6/P1PP1KPP/RNB3NR w kq - 0 7",
        "rnbq1b1r/pppppkp1/7n/5P1p/P6P/8/1PPPPP2/RNBQKBNR b KQ - 0 5",
        "r1bqkbnr/pp2pppp/n7/2pp4/NP3P2/8/P1PPP1PP/R1BQKBNR w KQkq - 2 5",
        "rn1qkbnr/1pp1p1pp/p2p4/5pN1/b7/3PPP2/PPP3PP/RNBQKBR1 b Qkq - 2 6",
        "rnbqk1nr/2pp1p1p/p4Ppb/1p1Np3/8/8/PPPPP1PP/R1BQKBNR w KQkq - 1 6",
        "r1bqkb1r/pp1pp1pp/n6n/2p2p2/2P5/3P3P/PP2PPPB/RN1QKBNR b KQkq - 1 5",
        "rnbqk1nr/pppp4/4ppp1/7p/3P3P/b7/PPP1PPP1/RNBQKBNR b KQkq - 3 6",
        "rnb1kbnr/ppppq2p/6p1/4pp2/P7/R4P2/1PPPP1PP/1NBQKBNR w Kkq - 0 5",
        "rn1qkbnr/2p1pppp/1p1pb3/p7/1PP5/7P/P1NPPPP1/R1BQKBNR b KQkq - 2 5",
    };
    int overtaken = 0;
    for (const char* fen : kOpenings) {
        const Game game = GameFromFen(fen);
        SearchLimits limits = Depth(60);
        for (int64_t nodes = 2000; nodes <= 24000; nodes += 1000) {
            limits.maxNodes = nodes;
            const Searched one = Search(game, limits);
            ASSERT_TRUE(IsLegal(game, one.move)) << fen << " " << nodes;
            if (one.move != one.last.pv[0]) ++overtaken;
        }
        limits.multiPv = 2;
        const Searched two = Search(game, limits);
        EXPECT_EQ(two.move, two.iterations[two.iterations.size() - 2].pv[0]) << fen;
    }
    EXPECT_GT(overtaken, 0);
}

// The order of scores, mates included: mating sooner is best, being mated
// sooner worst.
int Rank(const Iteration& line) {
    if (line.mateIn > 0) return 100000 - line.mateIn;
    if (line.mateIn < 0) return -100000 - line.mateIn;
    return line.score;
}

struct LinesCase {
    const char* fen;
    int lines;
    const char* searchMoves;
    int depth;
    int expected;     // lines each depth reports
    int firstMateIn;  // the best line's mate at the last depth, or 0
};

const LinesCase kLines[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 3, "", 7, 3, 0},
    {"7k/8/6K1/8/8/8/8/5Q2 w - - 0 1", 5, "", 4, 5, 1},  // one mate in one, then mates in two
    {"k7/8/1K6/8/8/8/8/7R b - - 0 1", 4, "", 5, 1, -1},  // a single legal move, into mate
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 3, "a2a3 h2h4", 5, 2, 0},
};

// Each depth reports its lines once, ranked best first, each led by a
// different allowed root move; the move played leads the best line.
TEST(Think, ReportsTheBestLinesRankedBestFirst) {
    for (const LinesCase& c : kLines) {
        const Game game = GameFromFen(c.fen);
        SearchLimits limits = Depth(c.depth);
        limits.multiPv = c.lines;
        std::istringstream allowed(c.searchMoves);
        for (std::string text; allowed >> text;) limits.searchMoves.push_back(FindMove(game, text));
        const Searched searched = Search(game, limits);
        ASSERT_EQ(int(searched.iterations.size()), c.depth * c.expected) << c.fen;
        for (size_t i = 0; i < searched.iterations.size(); ++i) {
            const Iteration& line = searched.iterations[i];
            const int rank = int(i) % c.expected;
            EXPECT_EQ(line.depth, int(i) / c.expected + 1) << c.fen;
            EXPECT_EQ(line.line, rank + 1) << c.fen;
            const std::vector<Move>& only = limits.searchMoves;
            EXPECT_TRUE(only.empty() || std::count(only.begin(), only.end(), line.pv[0]) > 0);
            for (int earlier = 1; earlier <= rank; ++earlier) {
                const Iteration& better = searched.iterations[i - earlier];
                EXPECT_NE(better.pv[0], line.pv[0]) << c.fen;
                EXPECT_GE(Rank(better), Rank(line)) << c.fen << " depth " << line.depth;
            }
        }
        const Iteration& best = searched.iterations[searched.iterations.size() - c.expected];
        EXPECT_EQ(searched.move, best.pv[0]) << c.fen;
        EXPECT_EQ(best.mateIn, c.firstMateIn) << c.fen;
    }
}

// The engine plays both sides from a few positions; the stronger side mates
// the lone king well within fifty moves.
TEST(Think, MatesTheLoneKingWithQueenOrRook) {
    SearchLimits limits = Depth(60);
    limits.maxNodes = 20000;
    for (const char* fen : {"8/8/8/3k4/8/8/8/KQ6 w - - 0 1", "8/8/8/4k3/8/8/8/R3K3 w - - 0 1",
                            "7R/8/8/8/3k4/8/8/7K b - - 0 1"}) {
        Game game = GameFromFen(fen);
        SearchTables tables = TablesOf(4);
        int plies = 0;
        for (Move move; plies < 100; ++plies) {
            if ((move = Search(game, limits, nullptr, &tables).move) == NO_MOVE) break;
            std::string error;
            ASSERT_TRUE(PlayMove(game, MoveText(move), error)) << error;
        }
        EXPECT_LT(plies, 100) << fen;
        EXPECT_TRUE(LegalMoves(game).empty()) << fen;
        PositionRecord record = RecordOf(game);
        EXPECT_EQ(std::count(record.board, record.board + 64, 'k'), 1) << fen;
    }
}

// Positions whose score jumps between two depths by more than the
// aspiration window, up (a hidden win found) or down (a win that is not
// there: the Saavedra pawn promotes into stalemate unless it becomes a rook).
const SearchCase kJumps[] = {
    {"4kb1r/p2r1ppp/4qn2/1B2p1B1/4P3/1Q6/PPP2PPP/2KR4 w k - 0 15", "", 11, 0, 500, WIN, "b5d7"},
    {"1q1k4/2Rr4/8/2Q3K1/8/8/8/8 w - - 0 1", "", 13, 0, 200, WIN, "g5h6"},
    {"8/8/1KP5/3r4/8/8/8/k7 w - - 0 1", "", 9, 0, -50, WIN, "c6c7"},
};

// After re-searches with wider windows the last iteration's score lies
// inside its window: the root's table entry is exact, with that score.
TEST(Think, AspirationReSearchesEndInsideTheWindow) {
    for (const SearchCase& c : kJumps) {
        Game game = GameFromFen(c.fen);
        SearchTables tables = TablesOf(4);
        Searched searched = Search(game, Depth(c.depth), nullptr, &tables);
        const std::vector<Iteration>& iterations = searched.iterations;
        bool jumped = false;
        for (size_t i = ASPIRATION_MIN_DEPTH - 1; i < iterations.size(); ++i) {
            int change = iterations[i].score - iterations[i - 1].score;
            jumped |= change > ASPIRATION_WINDOW || change < -ASPIRATION_WINDOW;
        }
        EXPECT_TRUE(jumped) << c.fen << ": the case no longer needs a re-search";
        EXPECT_EQ(MoveText(searched.move), c.best) << c.fen;
        EXPECT_EQ(searched.last.mateIn, 0) << c.fen;
        EXPECT_GE(searched.last.score, c.low) << c.fen;
        TableHit root;
        ASSERT_TRUE(ProbeTable(tables, game.board.key, root)) << c.fen;
        EXPECT_EQ(root.bound, BOUND_EXACT) << c.fen;
        EXPECT_EQ(root.depth, c.depth) << c.fen;
        EXPECT_EQ(root.score, searched.last.score) << c.fen;
        EXPECT_EQ(root.move, searched.move) << c.fen;
    }
}

}  // namespace
}  // namespace chess
