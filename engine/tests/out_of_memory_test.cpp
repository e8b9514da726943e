// Allocation failures anywhere in a search: no move or a legal one, one
// report per call on the calling thread, no leak and no crash.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "engine/evaluate.h"
#include "engine/tests/best_move.h"
#include "engine/tests/known_figures.h"
#include "engine/tests/test_memory.h"
#include "rules/tests/test_positions.h"

class SearchMemory : public EngineMemoryTest {
   protected:
    // Every block the search allocated is released, and nothing is reported.
    Outcome ExpectCleanSearch(const PositionRecord& position, int depth, int threads = 1) {
        FailCall(0);
        const Outcome outcome = Best(position, depth, threads);
        EXPECT_EQ(Reports(), 0);
        EXPECT_FALSE(outcome.report.outOfMemory);
        ExpectBalanced(std::to_string(threads) + " threads");
        return outcome;
    }

    // The search with allocation `call` failing (and every later one too when
    // asked): no move or a legal one, exactly one report, nothing leaked.
    void ExpectSafeFailure(const PositionRecord& position, int depth, int threads, int64_t call,
                           bool andLater) {
        FailCall(call, andLater);
        const Outcome outcome = Best(position, depth, threads);
        const std::string where = "allocation " + std::to_string(call) + (andLater ? "+, " : ", ") +
                                  std::to_string(threads) + " threads";
        ASSERT_GE(Failures(), 1) << where;
        EXPECT_EQ(Reports(), 1) << where;
        EXPECT_TRUE(outcome.report.outOfMemory) << where;
        ExpectBalanced(where);
        if (outcome.found) {
            const std::vector<Move> moves = GeneratedMoves(position);
            EXPECT_NE(std::find(moves.begin(), moves.end(), outcome.move), moves.end()) << where;
        } else {
            EXPECT_EQ(outcome.report.score, -KING_LOST_SCORE) << where;
        }
    }
};

TEST_F(SearchMemory, CleanSearchesReleaseEveryBlockAndKeepTheirFiguresOnAnyNumberOfThreads) {
    // Released blocks are filled with garbage: one read after its release
    // would change the move, the score or the counts.
    for (int threads : {1, 2, 3, 8}) {
        const Outcome outcome = ExpectCleanSearch(InitialPosition(), known::START_DEPTH, threads);
        EXPECT_EQ(std::make_tuple(outcome.move, outcome.report.score, outcome.report.nodes,
                                  outcome.report.evaluations),
                  std::make_tuple(Mv(known::START_MOVE), float(known::START_SCORE),
                                  known::START_NODES, known::START_EVALUATIONS))
            << threads << " threads";
    }
}

TEST_F(SearchMemory, AnyFailingAllocationIsSafe) {
    // From depth 3 on, threads share the deep root moves successor by
    // successor; nine queens overflow the successor buffer on the stack.
    const struct {
        PositionRecord position;
        int depth;
        int step;  // every allocation up to the 20th, then every step-th
    } cases[] = {
        {InitialPosition(), 2, 29},
        {Play(InitialPosition(), {"e2e4", "e7e5"}), 3, 97},
        {MakePosition("k7/8/1Q1Q1Q1Q/8/Q1Q1Q1Q1/8/4Q3/7K w"), 1, 149},
        {MakePosition("K7/8/1q1q1q1q/8/q1q1q1q1/8/4q3/7k b"), 1, 151},
    };
    for (const auto& c : cases) {
        ExpectCleanSearch(c.position, c.depth);
        const int64_t total = Calls();
        ASSERT_GT(total, 10);
        for (int64_t call = 1; call <= total; call += (call < 20 ? 1 : c.step)) {
            for (int threads : {1, 3}) {
                for (bool andLater : {false, true}) {
                    ExpectSafeFailure(c.position, c.depth, threads, call, andLater);
                    if (HasFatalFailure()) return;
                }
            }
        }
    }
}

TEST_F(SearchMemory, EachSearchReportsItsOwnFailureOnly) {
    for (int threads : {1, 2, 8}) {
        for (int64_t from : {1, 3, 50}) {
            ExpectSafeFailure(InitialPosition(), 3, threads, from, true);
            if (HasFatalFailure()) return;
        }
        ExpectCleanSearch(InitialPosition(), 2, threads);
        // Without the root list nothing is searched.
        FailCall(1);
        const Outcome outcome = Best(InitialPosition(), 3, threads);
        EXPECT_EQ(outcome.found + outcome.report.nodes, 0);
        EXPECT_EQ(Calls(), 1);
        EXPECT_EQ(Reports(), 1);
    }
    // Without a reporter a failure is silent.
    SetOutOfMemoryReporter(nullptr);
    FailCall(1, true);
    EXPECT_TRUE(Best(InitialPosition(), 2, 2).report.outOfMemory);
    EXPECT_EQ(Reports(), 0);
}

TEST_F(SearchMemory, NoMovePositionsAllocateNothing) {
    FailCall(1, true);
    EXPECT_EQ(Best(MakePosition("6PK/6PP/8/8/8/8/8/k7 w"), 3, 2).found, 0);
    EXPECT_EQ(Best(MakePosition("4k3/8/8/8/8/8/8/Q7 w"), 3, 2).found, 0);
    EXPECT_EQ(Calls(), 0);
    EXPECT_EQ(Reports(), 0);
}
