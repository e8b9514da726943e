// The search against its known figures, against the literal reference over
// many positions and windows, and against itself on any number of threads.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "engine/evaluate.h"
#include "engine/search_node.h"
#include "engine/tests/best_move.h"
#include "engine/tests/known_figures.h"
#include "engine/tests/reference_engine.h"
#include "rules/tests/test_positions.h"

namespace {

std::tuple<float, int64_t, int64_t> Figures(const Outcome& result) {
    return std::make_tuple(result.report.score, result.report.nodes, result.report.evaluations);
}

// Openings, castling, en passant, promotion, mate, stalemate, many queens,
// bare kings, random games with both kings on the board, and the positions
// with no move to play: no king for the side to move, or no successor.
std::vector<PositionRecord> SamplePositions() {
    const PositionRecord initial = InitialPosition();
    std::vector<PositionRecord> positions = {
        initial,
        Play(initial, {"e2e4", "e7e5", "g1f3", "b8c6", "f1c4", "f8c5"}),
        Play(initial, {"e2e4", "d7d5", "e4e5", "f7f5"}),
        MakePosition("r3k2r/pppq1ppp/2n2n2/3pp3/3PP3/2N2N2/PPPQ1PPP/R3K2R b KQkq"),
        MakePosition("4k3/pppp4/8/8/8/8/5PPP/4K2R w K---"),
        MakePosition("8/2P5/8/8/8/2k5/5p2/4K3 w"),
        MakePosition("8/8/8/8/8/6k1/6q1/7K w"),  // mated
        MakePosition("8/8/8/8/8/1qk5/8/K7 w"),   // stalemated
        MakePosition("k7/8/1Q1Q1Q1Q/8/Q1Q1Q1Q1/8/4Q3/7K b"),
        MakePosition("7k/8/8/8/8/8/8/K7 w"),
        MakePosition("4k3/8/8/8/8/8/8/3QK3 w"),
        MakePosition("6PK/6PP/8/8/8/8/8/k7 w"),  // boxed in
        MakePosition("4k3/8/8/8/8/8/8/QQQQ4 w"),
        MakePosition("4k3/8/8/8/8/8/8/Q7 b"),  // the opponent's king is missing
        MakePosition("8/8/8/8/8/8/8/8 b"),
    };
    const std::vector<PositionRecord> games = RandomGamePositions(2718, 12, 80);
    for (std::size_t i = 7; i < games.size(); i += 37) {
        if (!IsKingMissing(games[i], 'w') && !IsKingMissing(games[i], 'b'))
            positions.push_back(games[i]);
    }
    return positions;
}

}  // namespace

TEST(Search, KnownFiguresAfterE4) {
    // The initial position's figures on any number of threads are held by
    // the memory tests, under the allocator that spoils released blocks.
    const PositionRecord afterE4 = Play(InitialPosition(), {"e2e4"});
    const Outcome reply = Best(afterE4, 5);
    EXPECT_EQ(reply.move, Mv(known::AFTER_E4_MOVE));
    EXPECT_EQ(reply.report.score, known::AFTER_E4_SCORE);
    const reference::Choice choice = reference::BestMove(afterE4, 1);
    for (int k = 0; k < 5; ++k) {
        const PositionRecord successor = Play(afterE4, Mv(known::AFTER_E4_DEEP_MOVES[k].move));
        EXPECT_EQ(reference::Successors(afterE4)[choice.order[k]], successor) << k;
        SearchCounters counters;
        EXPECT_EQ(-SearchPosition(counters, successor, 4, -SCORE_BOUND, SCORE_BOUND),
                  known::AFTER_E4_DEEP_MOVES[k].score)
            << k;
    }
}

TEST(Search, MatchesTheReferenceOnAnyNumberOfThreads) {
    // From depth 3 on, threads share the deep root moves successor by
    // successor; depth 4 gives the sharing more room.
    const std::vector<PositionRecord> positions = SamplePositions();
    for (std::size_t i = 0; i < positions.size(); ++i) {
        for (int depth : {1, 2, 3, 4}) {
            if (depth == 4 && i % 3 != 0) continue;
            const Outcome one = Best(positions[i], depth);
            const std::string where = "depth " + std::to_string(depth) + " in position " +
                                      ::testing::PrintToString(positions[i]);
            if (depth < 4) {
                const reference::Choice expected = reference::BestMove(positions[i], depth);
                ASSERT_EQ(one.found, expected.found ? 1 : 0) << where;
                EXPECT_EQ(Figures(one),
                          std::make_tuple(one.found ? expected.best : -KING_LOST_SCORE,
                                          expected.counters.nodes, expected.counters.evaluations))
                    << where;
                if (one.found) {
                    EXPECT_EQ(Play(positions[i], one.move), expected.successor) << where;
                }
            }
            for (int threads : {2, 3, 8, 0, MAX_THREADS + 1}) {
                const Outcome many = Best(positions[i], depth, threads);
                EXPECT_EQ(many.found, one.found) << threads << " threads, " << where;
                EXPECT_EQ(many.move, one.move) << threads << " threads, " << where;
                EXPECT_EQ(Figures(many), Figures(one)) << threads << " threads, " << where;
            }
        }
    }
}

TEST(Search, SearchNodeMatchesTheReferenceInAnyWindow) {
    // Narrow and shifted windows exercise both cuts and the null window; the
    // last alphas give a different null window when -alpha - 0.1 is rounded
    // twice instead of once.
    const float windows[][2] = {{-SCORE_BOUND, SCORE_BOUND},
                                {-50, 50},
                                {0, 0.1f},
                                {-16, -15.9f},
                                {15, 16},
                                {100, 100},
                                {-200, -100},
                                {5000, 6000},
                                {-0.113354973f, -0.06f},
                                {-0.22552453f, 0.5f},
                                {-0.130022153f, -0.08f}};
    for (const PositionRecord& position : SamplePositions()) {
        for (int depth : {0, 1, 2, 3}) {
            for (const auto& window : windows) {
                reference::Counters expected;
                SearchCounters counters;
                const float value = SearchPosition(counters, position, depth, window[0], window[1]);
                const float want =
                    reference::Search(expected, position, depth, window[0], window[1]);
                ASSERT_EQ(std::make_tuple(value, counters.nodes, counters.evaluations),
                          std::make_tuple(want, expected.nodes, expected.evaluations))
                    << "depth " << depth << " window " << window[0] << ".." << window[1]
                    << ::testing::PrintToString(position);
            }
        }
    }
}
