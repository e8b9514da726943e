#include <gtest/gtest.h>

#include "engine/search.h"
#include "engine/successors.h"
#include "rules/make_move.h"

TEST(Search, InitialPositionAtDepthFive) {
    Square from{}, to{};
    SearchReport report;
    SearchSettings one;
    one.threads = 1;
    ASSERT_EQ(FindBestMove(InitialPosition(), 5, from, to, one, &report), 1);
    EXPECT_EQ(from, (Square{5, 2}));
    EXPECT_EQ(to, (Square{5, 4}));
    EXPECT_EQ(report.score, 88.0f);
    EXPECT_EQ(report.nodes, 139871);
    EXPECT_EQ(report.evaluations, 131231);
}
