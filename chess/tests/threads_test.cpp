#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <new>
#include <system_error>

#include "chess/search.h"
#include "chess/tests/fen_game.h"

namespace chess {
namespace {

const char* const kFens[] = {
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1",
    "k7/8/1K6/8/8/8/8/7R b - - 0 1",  // two moves, both mated
};

// Thread starts as the pools of these tests make them: counted, the helpers
// still alive counted, and the start numbered failAt refused.
struct Starts {
    std::atomic<int> made{0};
    std::atomic<int> alive{0};
    int failAt = 0;
    bool failWithBadAlloc = false;
};
Starts starts;

std::thread CountedStart(std::function<void()> body) {
    if (++starts.made == starts.failAt) {
        if (starts.failWithBadAlloc) throw std::bad_alloc();
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    }
    ++starts.alive;
    return std::thread([body] {
        body();
        --starts.alive;
    });
}

struct CountedPool {
    SearchThreads pool;
    CountedPool() {
        starts.made = 0;
        starts.failAt = 0;
        pool.startThread = CountedStart;
    }
};

void ExpectSearches(SearchThreads& pool, int depth, const std::string& where) {
    for (const char* fen : kFens) {
        Game game = GameFromFen(fen);
        Searched searched = Search(game, Depth(depth), &pool);
        EXPECT_TRUE(IsLegal(game, searched.move)) << where << ": " << fen;
        EXPECT_EQ(searched.last.depth, depth) << where << ": " << fen;
        EXPECT_EQ(searched.last.pv.front(), searched.move) << where << ": " << fen;
    }
}

// Resizing starts or ends exactly the extra threads, searches start none,
// and any number of threads searches to the depth asked for, with or
// without a table.
TEST(SearchThreads, AnyNumberOfThreadsSearchesAndResizingStartsOrEndsOnlyTheExtraOnes) {
    CountedPool counted;
    SearchThreads& pool = counted.pool;
    EXPECT_EQ(SearchThreadCount(pool), 1);
    int made = 0;
    for (int threads : {4, 2, 2, 8, 1, 3, 0, 1}) {
        int before = SearchThreadCount(pool);
        std::string error;
        int expected = std::max(threads, 1);
        ASSERT_EQ(SetSearchThreads(pool, threads, error), expected) << error;
        EXPECT_EQ(SearchThreadCount(pool), expected);
        EXPECT_EQ(error, "");
        made += std::max(expected - before, 0);
        EXPECT_EQ(starts.made, made) << threads;
        EXPECT_EQ(starts.alive, expected - 1) << threads;
        ExpectSearches(pool, 6, std::to_string(threads) + " threads");
        SearchTables none;
        Game game = GameFromFen("4k3/8/8/8/8/8/R7/1R4K1 w - - 0 1");
        EXPECT_EQ(Search(game, Depth(6), &pool, &none).last.mateIn, 2) << threads;
        EXPECT_TRUE(none.entries.empty());
        EXPECT_EQ(starts.made, made) << threads;
    }
}

struct Refusal {
    int before, asked;
    int failAt;  // counted from the first start of the growth
    bool badAlloc;
    int expected;
};

const Refusal kRefusals[] = {
    {1, 4, 1, false, 1},
    {1, 8, 3, true, 3},
    {3, 6, 2, false, 4},
};

TEST(SearchThreads, AThreadThatCannotBeMadeLeavesAWorkingPoolOfTheOthers) {
    for (const Refusal& c : kRefusals) {
        CountedPool counted;
        SearchThreads& pool = counted.pool;
        std::string error;
        ASSERT_EQ(SetSearchThreads(pool, c.before, error), c.before);
        starts.failAt = starts.made + c.failAt;
        starts.failWithBadAlloc = c.badAlloc;
        std::string where = std::to_string(c.before) + " to " + std::to_string(c.asked);
        EXPECT_EQ(SetSearchThreads(pool, c.asked, error), c.expected) << where;
        EXPECT_EQ(SearchThreadCount(pool), c.expected) << where;
        EXPECT_NE(
            error.find("only " + std::to_string(c.expected) + " of " + std::to_string(c.asked)),
            std::string::npos)
            << where << ": " << error;
        ExpectSearches(pool, 4, where);

        error.clear();
        EXPECT_EQ(SetSearchThreads(pool, c.asked, error), c.asked) << where;
        EXPECT_EQ(error, "") << where;
        EXPECT_EQ(starts.alive, c.asked - 1) << where;
    }
}

struct Tally {
    std::atomic<int> runs[8] = {};
    std::atomic<int> strays{0};  // tasks run on a worker not a helper's own
    const Worker* main = nullptr;
};

void CountRun(Worker& worker, int helper, const void* context) {
    Tally& tally = *static_cast<Tally*>(const_cast<void*>(context));
    if (worker.isMain || &worker == tally.main) ++tally.strays;
    // The last helper is slow: the caller must wait for it all the same.
    if (helper == 4) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ++tally.runs[helper];
}

TEST(SearchThreads, EachHelperRunsEachTaskOnceAndTheCallerWaitsForAllOfThem) {
    SearchThreads pool;
    std::string error;
    ASSERT_EQ(SetSearchThreads(pool, 5, error), 5);
    Tally tally;
    tally.main = pool.main.get();
    for (int round = 1; round <= 40; ++round) {
        StartHelpers(pool, CountRun, &tally);
        WaitForHelpers(pool);
        for (int helper = 0; helper < 8; ++helper)
            ASSERT_EQ(tally.runs[helper], helper >= 1 && helper <= 4 ? round : 0) << helper;
    }
    EXPECT_EQ(tally.strays, 0);
}

TEST(Think, AReusedPoolSearchesExactlyAsAFreshOneWithOneThread) {
    Game game = GameFromFen(kFens[1]);
    SearchThreads fresh, reused;
    Searched expected = Search(game, Depth(7), &fresh);
    for (const char* fen : kFens) Search(GameFromFen(fen), Depth(7), &reused);
    Searched again = Search(game, Depth(7), &reused);
    EXPECT_EQ(again.move, expected.move);
    EXPECT_EQ(again.last.nodes, expected.last.nodes);
    EXPECT_EQ(again.last.selectiveDepth, expected.last.selectiveDepth);
    EXPECT_EQ(again.last.pv, expected.last.pv);
}

// The entries of a table of history or corrections, of any shape, that
// are not zero.
template <typename Table>
int EntriesLearnt(const Table& table) {
    const int16_t* first = reinterpret_cast<const int16_t*>(&table);
    return int(std::count_if(first, first + sizeof table / sizeof *first,
                             [](int16_t value) { return value != 0; }));
}

// Each search is a new generation of the table, counted modulo 64, and
// leaves the tables the histories, counter moves and evaluation corrections
// it learnt.
TEST(Think, EachSearchAgesTheTableAndLeavesWhatItLearnt) {
    SearchThreads pool;
    Game game = GameFromFen(kFens[1]);
    for (const auto& [before, after] : {std::pair{0, 1}, {62, 63}, {63, 0}}) {
        SearchTables tables = TablesOf(1);
        tables.generation = before;
        Search(game, Depth(6), &pool, &tables);
        EXPECT_EQ(tables.generation, after) << before;
        int counters = 0;
        for (const auto& piece : tables.counterMoves)
            for (Move move : piece) counters += move != NO_MOVE;
        const CorrectionHistory& correction = *tables.correction;
        int learnt = EntriesLearnt(tables.history);
        int followUps = EntriesLearnt(tables.continuation->after);
        int corrections = EntriesLearnt(correction.pawns);
        int pieceCorrections[2] = {};
        for (int color : {WHITE, BLACK})
            pieceCorrections[color] = EntriesLearnt(correction.pieces[WHITE][color]) +
                                      EntriesLearnt(correction.pieces[BLACK][color]);
        int moveCorrections = EntriesLearnt(correction.moves);
        EXPECT_GT(learnt, 0) << before;
        EXPECT_GT(corrections, 0) << before;
        EXPECT_GT(pieceCorrections[WHITE], 0) << before;
        EXPECT_GT(pieceCorrections[BLACK], 0) << before;
        EXPECT_GT(moveCorrections, 0) << before;
        EXPECT_GT(counters, 0) << before;
        EXPECT_GT(followUps, 0) << before;
    }
}

// Without pawns every position would share one correction: none is learnt.
TEST(Think, PawnlessPositionsLearnNoCorrection) {
    SearchThreads pool;
    for (const char* fen : {"1q1k4/2Rr4/8/2Q3K1/8/8/8/8 w - - 0 1", "k7/8/1K6/8/8/8/8/7R b - - 0 1",
                            "8/8/8/3k4/8/8/2NBK3/8 w - - 0 1"}) {
        SearchTables tables = TablesOf(1);
        Search(GameFromFen(fen), Depth(8), &pool, &tables);
        EXPECT_EQ(tables.correction->pawns[WHITE][0], 0) << fen;
        EXPECT_EQ(tables.correction->pawns[BLACK][0], 0) << fen;
        EXPECT_EQ(EntriesLearnt(tables.correction->pieces), 0) << fen;
        EXPECT_EQ(EntriesLearnt(tables.correction->moves), 0) << fen;
    }
}

// Depths beyond the longest line are searched as the longest, and depth 1
// is searched whatever depth is asked for.
TEST(Think, SearchesAtLeastOneAndAtMostTheLongestLineOfDepths) {
    Game bareKings = GameFromFen("8/5k2/8/8/8/8/2K5/8 w - - 0 1");
    for (const auto& [asked, searched] : {std::pair{-3, 1}, {0, 1}, {1000, MAX_PLY - 1}})
        EXPECT_EQ(Search(bareKings, Depth(asked)).last.depth, searched) << asked;
}

uint64_t TableSum(const SearchTables& tables) {
    uint64_t sum = 0;
    for (const TableEntry& entry : tables.entries)
        sum = sum * 31 + entry.data.load(std::memory_order_relaxed);
    return sum;
}

// Once Think returns, no helper stores in the table or reads the stop flag
// or the game: the caller may change or free them at once.
TEST(Think, NoHelperTouchesTheSearchAfterItReturns) {
    SearchThreads pool;
    std::string error;
    ASSERT_EQ(SetSearchThreads(pool, 8, error), 8);
    SearchTables tables = TablesOf(1);
    for (int search = 0; search < 3; ++search) {
        auto game = std::make_unique<Game>(GameFromFen(kFens[search]));
        auto stop = std::make_unique<std::atomic<bool>>(false);
        SearchLimits limits;
        limits.maxDepth = 40;
        Move move = Think(tables, pool, *game, limits, *stop,
                          [](const Iteration& iteration) { return iteration.depth < 5; });
        EXPECT_TRUE(IsLegal(*game, move));
        game.reset();
        stop.reset();
        uint64_t sum = TableSum(tables);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(TableSum(tables), sum);
    }
}

}  // namespace
}  // namespace chess
