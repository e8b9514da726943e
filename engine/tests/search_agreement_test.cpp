// The search's results must not depend on how it is made fast: these tests
// hold FindBestMove and SearchPosition to the literal reference over many
// positions, and to themselves across thread counts.
#include <gtest/gtest.h>

#include <vector>

#include "engine/evaluate.h"
#include "engine/search.h"
#include "engine/tests/reference_engine.h"
#include "rules/tests/test_positions.h"

namespace {

SearchSettings Threads(int count) {
    SearchSettings settings;
    settings.threads = count;
    return settings;
}

// Positions from ordinary openings, castling, en passant and promotion,
// absurd boards and random games, with both kings on the board.
std::vector<PositionRecord> SamplePositions() {
    const PositionRecord initial = InitialPosition();
    std::vector<PositionRecord> positions = {
        initial,
        Play(initial, {"e2e4"}),
        Play(initial, {"e2e4", "e7e5", "g1f3", "b8c6", "f1c4", "f8c5"}),
        Play(initial, {"d2d4", "d7d5", "c2c4", "e7e6", "b1c3", "g8f6", "c1g5"}),
        Play(initial, {"e2e4", "c7c5", "g1f3", "d7d6", "d2d4", "c5d4", "f3d4", "g8f6"}),
        Play(initial, {"e2e4", "d7d5", "e4e5", "f7f5"}),  // en passant open
        MakePosition("r3k2r/pppq1ppp/2n2n2/3pp3/3PP3/2N2N2/PPPQ1PPP/R3K2R", 'w', "KQkq"),
        MakePosition("r3k2r/pppq1ppp/2n2n2/3pp3/3PP3/2N2N2/PPPQ1PPP/R3K2R", 'b', "KQkq"),
        MakePosition("4k3/pppp4/8/8/8/8/5PPP/4K2R", 'w', "K---"),
        MakePosition("8/2P5/8/8/8/2k5/5p2/4K3", 'w'),  // promotions both ways
        MakePosition("8/2P5/8/8/8/2k5/5p2/4K3", 'b'),
        MakePosition("8/8/8/8/8/6k1/6q1/7K", 'w'),               // mated
        MakePosition("8/8/8/8/8/1qk5/8/K7", 'w'),                // stalemated
        MakePosition("k7/8/1Q1Q1Q1Q/8/Q1Q1Q1Q1/8/4Q3/7K", 'b'),  // nine queens against a king
        MakePosition("7k/8/8/8/8/8/8/K7", 'w'),                  // bare kings
        MakePosition("6k1/5ppp/8/8/8/8/r4PPP/6K1", 'w'),
    };
    const std::vector<PositionRecord> games = RandomGamePositions(2718, 12, 80);
    for (std::size_t i = 7; i < games.size(); i += 37) {
        if (HasKing(games[i], 'K') && HasKing(games[i], 'k')) positions.push_back(games[i]);
    }
    return positions;
}

}  // namespace

TEST(SearchAgreement, FindBestMoveMatchesTheReference) {
    for (const PositionRecord& position : SamplePositions()) {
        for (int depth : {1, 2, 3}) {
            const reference::Choice expected = reference::BestMove(position, depth);
            Square from{}, to{};
            SearchReport report;
            const int found = FindBestMove(position, depth, from, to, Threads(1), &report);
            const std::string where =
                "depth " + std::to_string(depth) + " in " + ::testing::PrintToString(position);
            ASSERT_EQ(found, expected.found ? 1 : 0) << where;
            EXPECT_EQ(report.nodes, expected.counters.nodes) << where;
            EXPECT_EQ(report.evaluations, expected.counters.evaluations) << where;
            EXPECT_FALSE(report.outOfMemory);
            if (found) {
                EXPECT_EQ(report.score, expected.best) << where;
                EXPECT_EQ(Play(position, Move{from, to}), expected.successor)
                    << MoveName(Move{from, to}) << " " << where;
            } else {
                EXPECT_EQ(report.score, -KING_LOST_SCORE) << where;
            }
            if (HasFailure()) return;
        }
    }
}

TEST(SearchAgreement, SearchPositionMatchesTheReferenceInAnyWindow) {
    // Narrow and shifted windows exercise both cuts and the null window.
    const float windows[][2] = {
        {-SCORE_BOUND, SCORE_BOUND},
        {-50.0f, 50.0f},
        {0.0f, 0.1f},
        {-16.0f, -15.9f},
        {15.0f, 16.0f},
        {-9000.0f, 9000.0f},
        {100.0f, 100.0f},
        {-0.05f, 0.05f},
        {-200.0f, -100.0f},
        {-0.113354973f, -0.05f},
        {-0.22552453f, 0.5f},
    };
    for (const PositionRecord& position : SamplePositions()) {
        for (int depth : {0, 1, 2, 3}) {
            for (const auto& window : windows) {
                reference::Counters counters;
                const float expected =
                    reference::Search(counters, position, depth, window[0], window[1]);
                ASSERT_EQ(SearchPosition(position, depth, window[0], window[1]), expected)
                    << "depth " << depth << " window " << window[0] << ".." << window[1] << " in "
                    << ::testing::PrintToString(position);
            }
        }
    }
}

TEST(SearchAgreement, SameResultWithAnyNumberOfThreads) {
    // From depth 3 on, threads share the deep root moves successor by
    // successor and search some ahead; depth 4 gives the sharing more room.
    const std::vector<PositionRecord> positions = SamplePositions();
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const PositionRecord& position = positions[i];
        for (int depth : {1, 3, 4}) {
            if (depth == 4 && i % 3 != 0) continue;
            Square firstFrom{}, firstTo{};
            SearchReport first;
            const int found = FindBestMove(position, depth, firstFrom, firstTo, Threads(1), &first);
            for (int threads : {2, 3, 8, 0}) {
                Square from{}, to{};
                SearchReport report;
                ASSERT_EQ(FindBestMove(position, depth, from, to, Threads(threads), &report), found)
                    << threads << " threads, depth " << depth;
                if (found) {
                    EXPECT_EQ(from, firstFrom) << threads << " threads";
                    EXPECT_EQ(to, firstTo) << threads << " threads";
                }
                EXPECT_EQ(report.score, first.score) << threads << " threads";
                EXPECT_EQ(report.nodes, first.nodes) << threads << " threads";
                EXPECT_EQ(report.evaluations, first.evaluations) << threads << " threads";
                EXPECT_EQ(report.outOfMemory, first.outOfMemory);
            }
            if (HasFailure()) return;
        }
    }
    // More threads than root moves.
    const PositionRecord few = MakePosition("7k/8/8/8/8/8/8/K7", 'w');
    Square from{}, to{};
    SearchReport one, many;
    ASSERT_EQ(FindBestMove(few, 4, from, to, Threads(1), &one), 1);
    const Move chosen{from, to};
    ASSERT_EQ(FindBestMove(few, 4, from, to, Threads(64), &many), 1);
    EXPECT_EQ((Move{from, to}), chosen);
    EXPECT_EQ(many.nodes, one.nodes);
    EXPECT_EQ(many.evaluations, one.evaluations);
}

TEST(SearchAgreement, InitialFiguresWithSeveralThreads) {
    for (int threads : {2, 3}) {
        Square from{}, to{};
        SearchReport report;
        ASSERT_EQ(FindBestMove(InitialPosition(), 5, from, to, Threads(threads), &report), 1);
        EXPECT_EQ((Move{from, to}), Mv("e2e4"));
        EXPECT_EQ(report.score, 88.0f);
        EXPECT_EQ(report.nodes, 139871);
        EXPECT_EQ(report.evaluations, 131231);
    }
}
