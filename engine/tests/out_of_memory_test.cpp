// Allocation failures anywhere in a search: the documented "nothing" results,
// one report per call on the calling thread, no leak and no crash.
#include <gtest/gtest.h>

#include <vector>

#include "engine/evaluate.h"
#include "engine/search.h"
#include "engine/successors.h"
#include "engine/tests/test_memory.h"
#include "rules/legality.h"
#include "rules/tests/test_positions.h"

namespace {

// Nine queens against a lone king: the root and every node of the queens'
// side have more successors than the working buffer on the stack holds.
const char* const NINE_WHITE_QUEENS = "k7/8/1Q1Q1Q1Q/8/Q1Q1Q1Q1/8/4Q3/7K";
const char* const NINE_BLACK_QUEENS = "K7/8/1q1q1q1q/8/q1q1q1q1/8/4q3/7k";

}  // namespace

class SearchMemory : public EngineMemoryTest {
   protected:
    struct Outcome {
        int found = 0;
        Move move{};
        SearchReport report;
    };

    Outcome Search(const PositionRecord& position, int depth, int threads) {
        Outcome outcome;
        SearchSettings settings;
        settings.threads = threads;
        outcome.found = FindBestMove(position, depth, outcome.move.from, outcome.move.to, settings,
                                     &outcome.report);
        return outcome;
    }

    // How many allocations a search makes when none fails.
    int64_t CountAllocations(const PositionRecord& position, int depth) {
        ResetCounts();
        const Outcome clean = Search(position, depth, 1);
        EXPECT_EQ(Reports(), 0);
        EXPECT_FALSE(clean.report.outOfMemory);
        EXPECT_EQ(LiveBlocks(), 0);
        return Calls();
    }

    // The search with allocation `call` failing (and every later one too when
    // asked): no move or a legal one, exactly one report, nothing leaked.
    void ExpectSafeFailure(const PositionRecord& position, int depth, int threads, int64_t call,
                           bool andLater) {
        FailCall(call, andLater);
        const Outcome outcome = Search(position, depth, threads);
        const std::string where = "allocation " + std::to_string(call) +
                                  (andLater ? " and later" : "") + ", " + std::to_string(threads) +
                                  " threads";
        ASSERT_GE(Failures(), 1) << where;
        EXPECT_EQ(Reports(), 1) << where;
        EXPECT_EQ(ReportsOffThread(), 0) << where;
        EXPECT_TRUE(outcome.report.outOfMemory) << where;
        EXPECT_EQ(LiveBlocks(), 0) << where;
        EXPECT_EQ(BadReleases(), 0) << where;
        if (outcome.found) {
            const Move& move = outcome.move;
            EXPECT_EQ(SideOf(PieceAt(position, move.from.file, move.from.rank)),
                      position.sideToMove)
                << where;
            EXPECT_EQ(
                CheckMove(position, move.from.file, move.from.rank, move.to.file, move.to.rank),
                MOVE_LEGAL)
                << where << " " << MoveName(move);
        } else {
            EXPECT_EQ(outcome.report.score, -KING_LOST_SCORE) << where;
        }
    }
};

TEST_F(SearchMemory, CleanSearchReportsNothingAndReleasesEverything) {
    const Outcome hooked = Search(InitialPosition(), 3, 2);
    EXPECT_GT(Calls(), 20);
    EXPECT_EQ(Reports(), 0);
    EXPECT_EQ(LiveBlocks(), 0);
    EXPECT_EQ(BadReleases(), 0);
    EXPECT_FALSE(hooked.report.outOfMemory);
    // The hooks change nothing in the result.
    SetBlockAllocator(nullptr, nullptr);
    const Outcome plain = Search(InitialPosition(), 3, 2);
    EXPECT_EQ(hooked.found, plain.found);
    EXPECT_EQ(hooked.move, plain.move);
    EXPECT_EQ(hooked.report.score, plain.report.score);
    EXPECT_EQ(hooked.report.nodes, plain.report.nodes);
}

TEST_F(SearchMemory, RootListFailureMeansNoMove) {
    for (int threads : {1, 2}) {
        FailCall(1);
        const Outcome outcome = Search(InitialPosition(), 3, threads);
        EXPECT_EQ(outcome.found, 0);
        EXPECT_EQ(Calls(), 1) << "nothing is searched without the root list";
        EXPECT_EQ(Reports(), 1);
        EXPECT_TRUE(outcome.report.outOfMemory);
        EXPECT_EQ(outcome.report.score, -KING_LOST_SCORE);
        EXPECT_EQ(LiveBlocks(), 0);
    }
}

TEST_F(SearchMemory, RootWorkArrayFailureMeansNoMove) {
    // The root list is the first allocation; the work arrays come next.
    for (int threads : {1, 2}) {
        FailCall(2);
        const Outcome outcome = Search(InitialPosition(), 3, threads);
        EXPECT_EQ(outcome.found, 0);
        EXPECT_EQ(Reports(), 1);
        EXPECT_TRUE(outcome.report.outOfMemory);
        EXPECT_EQ(LiveBlocks(), 0);
        EXPECT_EQ(BadReleases(), 0);
    }
}

TEST_F(SearchMemory, AnyFailingAllocationIsSafe) {
    const PositionRecord position = InitialPosition();
    const int64_t total = CountAllocations(position, 2);
    ASSERT_GT(total, 100);
    for (int64_t call = 1; call <= total; call += (call < 40 ? 1 : 13)) {
        for (int threads : {1, 2}) {
            ExpectSafeFailure(position, 2, threads, call, false);
            ExpectSafeFailure(position, 2, threads, call, true);
            if (HasFatalFailure()) return;
        }
    }
    ExpectSafeFailure(position, 2, 2, total, false);
    // One past the last allocation: nothing fails, nothing is reported.
    FailCall(total + 1);
    const Outcome outcome = Search(position, 2, 1);
    EXPECT_EQ(Failures(), 0);
    EXPECT_EQ(Reports(), 0);
    EXPECT_EQ(outcome.found, 1);
}

TEST_F(SearchMemory, AnyFailingAllocationIsSafeWhenDeepMovesAreShared) {
    // From depth 3 on, threads share the deep root moves successor by
    // successor, with allocations of their own.
    const PositionRecord position = Play(InitialPosition(), {"e2e4", "e7e5"});
    const int64_t total = CountAllocations(position, 3);
    ASSERT_GT(total, 100);
    for (int64_t call = 1; call <= total; call += (call < 60 ? 1 : 17)) {
        for (int threads : {2, 3}) {
            ExpectSafeFailure(position, 3, threads, call, false);
            ExpectSafeFailure(position, 3, threads, call, true);
            if (HasFatalFailure()) return;
        }
    }
}

TEST_F(SearchMemory, FailuresInAManyQueensSearchAreSafe) {
    for (const PositionRecord& position :
         {MakePosition(NINE_WHITE_QUEENS, 'w'), MakePosition(NINE_BLACK_QUEENS, 'b')}) {
        const int64_t total = CountAllocations(position, 1);
        ASSERT_GT(total, 10);
        for (int64_t call : {int64_t{1}, int64_t{2}, int64_t{3}, int64_t{4}, int64_t{5}, int64_t{6},
                             int64_t{7}, total / 3, total / 2, total - 1, total}) {
            for (int threads : {1, 2}) {
                ExpectSafeFailure(position, 1, threads, call, false);
                if (HasFatalFailure()) return;
            }
        }
        ExpectSafeFailure(position, 1, 2, total / 4, true);
    }
}

TEST_F(SearchMemory, EveryAllocationFailingStillReportsOnce) {
    for (int threads : {1, 2, 8}) {
        for (int64_t from : {1, 3, 50}) {
            ExpectSafeFailure(InitialPosition(), 3, threads, from, true);
            if (HasFatalFailure()) return;
        }
    }
}

TEST_F(SearchMemory, SearchPositionReportsOncePerCall) {
    // Without its own list the node has no move: -9000.
    FailCall(1);
    EXPECT_EQ(SearchPosition(InitialPosition(), 2, -SCORE_BOUND, SCORE_BOUND), -KING_LOST_SCORE);
    EXPECT_EQ(Reports(), 1);
    EXPECT_EQ(LiveBlocks(), 0);
    // Failures deeper down: a score comes back, still one report.
    for (int64_t call : {2, 5, 21}) {
        for (bool andLater : {false, true}) {
            FailCall(call, andLater);
            SearchPosition(InitialPosition(), 3, -SCORE_BOUND, SCORE_BOUND);
            EXPECT_EQ(Reports(), 1) << call;
            EXPECT_EQ(ReportsOffThread(), 0);
            EXPECT_EQ(LiveBlocks(), 0) << call;
            EXPECT_EQ(BadReleases(), 0);
        }
    }
    // Depth 0 allocates nothing.
    FailCall(1, true);
    EXPECT_EQ(SearchPosition(InitialPosition(), 0, -SCORE_BOUND, SCORE_BOUND), 15.0f);
    EXPECT_EQ(Calls(), 0);
    EXPECT_EQ(Reports(), 0);
}

TEST_F(SearchMemory, EachCallReportsItsOwnFailure) {
    for (int round = 1; round <= 3; ++round) {
        FailCall(1);
        Search(InitialPosition(), 2, 1);
        EXPECT_EQ(Reports(), 1) << "round " << round;
    }
    // A following search with memory to spare reports nothing.
    ResetCounts();
    EXPECT_EQ(Search(InitialPosition(), 2, 2).found, 1);
    EXPECT_EQ(Reports(), 0);
}

TEST_F(SearchMemory, NoMovePositionsAllocateNothing) {
    FailCall(1, true);
    EXPECT_EQ(Search(MakePosition("6PK/6PP/8/8/8/8/8/k7", 'w'), 3, 2).found, 0);
    EXPECT_EQ(Search(MakePosition("4k3/8/8/8/8/8/8/Q7", 'w'), 3, 2).found, 0);
    EXPECT_EQ(Calls(), 0);
    EXPECT_EQ(Reports(), 0);
}
