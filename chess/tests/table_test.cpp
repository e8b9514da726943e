#include <gtest/gtest.h>

#include "chess/chess.h"

namespace chess {
namespace {

struct StoredCase {
    Move move;
    int score, eval, depth, bound;
};

const StoredCase kStored[] = {
    {EncodeMove(12, 28, DOUBLE_PUSH), 35, 20, 7, BOUND_EXACT},
    {EncodeMove(52, 60, PROMOTE_KNIGHT), -1234, -900, 1, BOUND_UPPER},
    {EncodeMove(4, 6, CASTLE), 31990, 0, 60, BOUND_LOWER},
    {NO_MOVE, -31990, 15, 0, BOUND_UPPER},
};

TEST(TranspositionTable, GivesBackWhatWasStoredUnderItsKeyOnly) {
    SearchTables tables;
    std::string error;
    ASSERT_TRUE(ResizeSearchTables(tables, 1, error));
    uint64_t key = 0x9E3779B97F4A7C15ULL;
    for (const StoredCase& c : kStored) {
        key = key * 6364136223846793005ULL + 1442695040888963407ULL;
        StoreInTable(tables, key, c.move, c.score, c.eval, c.depth, c.bound);
        TableHit hit;
        ASSERT_TRUE(ProbeTable(tables, key, hit));
        EXPECT_EQ(hit.move, c.move);
        EXPECT_EQ(hit.score, c.score);
        EXPECT_EQ(hit.eval, c.eval);
        EXPECT_EQ(hit.depth, c.depth);
        EXPECT_EQ(hit.bound, c.bound);
        EXPECT_FALSE(ProbeTable(tables, key ^ 1, hit));
    }
    ClearSearchTables(tables);
    TableHit hit;
    EXPECT_FALSE(ProbeTable(tables, key, hit));
}

TEST(TranspositionTable, FitsItsSizeAndKeepsTheDeepestOfABucket) {
    SearchTables tables;
    std::string error;
    ASSERT_TRUE(ResizeSearchTables(tables, 2, error));
    EXPECT_LE(tables.entries.size() * sizeof(TableEntry), 2u << 20);
    EXPECT_GT(tables.entries.size() * sizeof(TableEntry), 1u << 20);

    // Keys that differ only above the bucket index share one bucket.
    uint64_t stride = tables.bucketMask + 1;
    StoreInTable(tables, 5, EncodeMove(1, 2), 10, 0, 20, BOUND_EXACT);
    for (uint64_t i = 1; i <= BUCKET_SIZE; ++i)
        StoreInTable(tables, 5 + i * stride, EncodeMove(1, 3), 10, 0, 2, BOUND_EXACT);
    TableHit hit;
    ASSERT_TRUE(ProbeTable(tables, 5, hit));
    EXPECT_EQ(hit.depth, 20);

    // A shallower bound of the same search keeps the deeper result and its move.
    StoreInTable(tables, 5, NO_MOVE, -50, 0, 3, BOUND_UPPER);
    ASSERT_TRUE(ProbeTable(tables, 5, hit));
    EXPECT_EQ(hit.depth, 20);
    EXPECT_EQ(hit.move, EncodeMove(1, 2));
    StoreInTable(tables, 5, NO_MOVE, -50, 0, 19, BOUND_UPPER);
    ASSERT_TRUE(ProbeTable(tables, 5, hit));
    EXPECT_EQ(hit.depth, 19);
    EXPECT_EQ(hit.move, EncodeMove(1, 2));
}

}  // namespace
}  // namespace chess
