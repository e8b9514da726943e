#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdio>

#include "chess/search.h"
#include "chess/tests/fen_game.h"

#if defined(__linux__)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

// Under a sanitizer a failing allocation ends the program instead of throwing.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define ALLOCATION_FAILURES_THROW 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define ALLOCATION_FAILURES_THROW 0
#endif
#endif
#ifndef ALLOCATION_FAILURES_THROW
#define ALLOCATION_FAILURES_THROW 1
#endif

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
    SearchTables tables = TablesOf(1);
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

// The entries of key's bucket, in their order.
TableEntry* Bucket(SearchTables& tables, uint64_t key) {
    return &tables.entries[(key & tables.bucketMask) * BUCKET_SIZE];
}

struct Occupant {
    int depth;
    int age;  // searches since it was stored; -1: the slot is empty
};

struct ReplacementCase {
    const char* what;
    Occupant occupants[BUCKET_SIZE];
    int generation;  // of the store that must replace one of them
    int replaced;
};

const ReplacementCase kReplacements[] = {
    {"an empty slot first", {{1, 0}, {2, 0}, {3, 0}, {0, -1}}, 5, 3},
    {"the shallowest of this search", {{9, 0}, {3, 0}, {11, 0}, {7, 0}}, 5, 1},
    {"an older one before one as deep", {{5, 0}, {5, 0}, {5, 0}, {5, 1}}, 5, 3},
    {"an older one before shallower ones", {{9, 1}, {3, 0}, {20, 2}, {7, 0}}, 5, 0},
    {"ages across the generation's wrap", {{6, 0}, {6, 2}, {6, 1}, {6, 0}}, 1, 1},
    {"the deeper old one kept", {{20, 1}, {4, 0}, {9, 0}, {8, 0}}, 0, 1},
};

TEST(TranspositionTable, ReplacesOlderThenShallowerEntriesOfABucket) {
    for (const ReplacementCase& c : kReplacements) {
        SearchTables tables = TablesOf(1);
        uint64_t stride = tables.bucketMask + 1;
        for (int i = 0; i < BUCKET_SIZE; ++i) {
            if (c.occupants[i].age < 0) continue;
            tables.generation = (c.generation - c.occupants[i].age) & 63;
            StoreInTable(tables, 7 + i * stride, EncodeMove(8, 16), 0, 0, c.occupants[i].depth,
                         BOUND_LOWER);
        }
        // The slots fill in order: an empty slot is taken before any other.
        for (int i = 0; i < BUCKET_SIZE; ++i) {
            if (c.occupants[i].age < 0) continue;
            ASSERT_EQ(Bucket(tables, 7)[i].data ^ Bucket(tables, 7)[i].check, 7 + i * stride);
        }
        tables.generation = c.generation;
        uint64_t incoming = 7 + BUCKET_SIZE * stride;
        StoreInTable(tables, incoming, NO_MOVE, 0, 0, 1, BOUND_UPPER);
        TableHit hit;
        EXPECT_TRUE(ProbeTable(tables, incoming, hit)) << c.what;
        for (int i = 0; i < BUCKET_SIZE; ++i) {
            if (c.occupants[i].age < 0) continue;
            EXPECT_EQ(ProbeTable(tables, 7 + i * stride, hit), i != c.replaced)
                << c.what << ", slot " << i;
        }
    }
}

struct UpdateCase {
    const char* what;
    int depth, age;  // of the entry there
    int newDepth, newBound;
    bool replaced;
};

const UpdateCase kUpdates[] = {
    {"a much shallower bound of this search", 12, 0, 9, BOUND_UPPER, false},
    {"a bound two plies shallower", 12, 0, 10, BOUND_LOWER, true},
    {"an exact score, however shallow", 12, 0, 1, BOUND_EXACT, true},
    {"a shallow bound over an older search's", 12, 1, 1, BOUND_UPPER, true},
};

TEST(TranspositionTable, UpdatesAPositionUnlessADeeperResultOfThisSearchIsThere) {
    for (const UpdateCase& c : kUpdates) {
        SearchTables tables = TablesOf(1);
        tables.generation = 10 - c.age;
        StoreInTable(tables, 99, EncodeMove(12, 28), 40, 5, c.depth, BOUND_LOWER);
        tables.generation = 10;
        StoreInTable(tables, 99, NO_MOVE, -7, 5, c.newDepth, c.newBound);
        TableHit hit;
        ASSERT_TRUE(ProbeTable(tables, 99, hit)) << c.what;
        EXPECT_EQ(hit.depth, c.replaced ? c.newDepth : c.depth) << c.what;
        EXPECT_EQ(hit.score, c.replaced ? -7 : 40) << c.what;
        EXPECT_EQ(hit.move, EncodeMove(12, 28)) << c.what << ": a store without a move keeps it";
    }
}

TEST(TranspositionTable, AnEntryWhoseWordsComeFromTwoWritesIsAMiss) {
    SearchTables tables = TablesOf(1);
    const uint64_t key = 3;
    StoreInTable(tables, key, EncodeMove(1, 2), 10, 0, 5, BOUND_EXACT);
    TableEntry& entry = Bucket(tables, key)[0];
    uint64_t firstData = entry.data, firstCheck = entry.check;
    StoreInTable(tables, key, EncodeMove(3, 4), 20, 0, 6, BOUND_EXACT);
    uint64_t secondData = entry.data, secondCheck = entry.check;
    TableHit hit;
    const uint64_t torn[][2] = {{firstData, secondCheck}, {secondData, firstCheck}};
    for (const auto& words : torn) {
        entry.data = words[0];
        entry.check = words[1];
        EXPECT_FALSE(ProbeTable(tables, key, hit));
    }
    // A store over a torn entry takes its slot like any other.
    StoreInTable(tables, key, EncodeMove(5, 6), 30, 0, 7, BOUND_EXACT);
    ASSERT_TRUE(ProbeTable(tables, key, hit));
    EXPECT_EQ(hit.score, 30);
}

TEST(TableSize, ASizeChangeClearsTheTableAndTheHistories) {
    SearchTables tables;
    std::string error;
    for (int megabytes : {0, 1, 3, 4, 3}) {
        ASSERT_TRUE(ResizeSearchTables(tables, 1, error));
        StoreInTable(tables, 11, EncodeMove(1, 2), 10, 0, 5, BOUND_EXACT);
        tables.history[1][1][0][2][3] = 77;
        tables.counterMoves[11][63] = EncodeMove(1, 2);
        tables.continuation->after[11][63][0][5] = -77;
        tables.correction->pawns[1][CORRECTION_ENTRIES - 1] = 77;
        tables.correction->pieces[0][1][CORRECTION_ENTRIES - 1] = -77;
        tables.correction->moves[11][63][11][63] = 77;
        tables.generation = 9;
        ASSERT_TRUE(ResizeSearchTables(tables, megabytes, error)) << error;
        uint64_t bytes = tables.entries.size() * sizeof(TableEntry);
        uint64_t most = uint64_t(megabytes < 1 ? 1 : megabytes) << 20;
        EXPECT_LE(bytes, most) << megabytes;
        EXPECT_GT(bytes * 2, most) << megabytes;
        EXPECT_EQ(tables.entries.size(), (tables.bucketMask + 1) * BUCKET_SIZE);
        EXPECT_EQ(tables.bucketMask & (tables.bucketMask + 1), 0u) << "a power of two";
        TableHit hit;
        EXPECT_FALSE(ProbeTable(tables, 11, hit)) << megabytes;
        EXPECT_EQ(tables.history[1][1][0][2][3], 0);
        EXPECT_EQ(tables.counterMoves[11][63], NO_MOVE);
        EXPECT_EQ(tables.continuation->after[11][63][0][5], 0);
        EXPECT_EQ(tables.correction->pawns[1][CORRECTION_ENTRIES - 1], 0);
        EXPECT_EQ(tables.correction->pieces[0][1][CORRECTION_ENTRIES - 1], 0);
        EXPECT_EQ(tables.correction->moves[11][63][11][63], 0);
        EXPECT_EQ(tables.generation, 0);
    }
    EXPECT_EQ(error, "");
}

#if defined(__linux__)
// Tables of a large page or more start on one, so that the kernel can back
// them with large pages; smaller ones need not.
TEST(TableSize, LargeTablesStartOnALargePage) {
    SearchTables tables;
    std::string error;
    for (int megabytes : {2, 16, 3}) {
        ASSERT_TRUE(ResizeSearchTables(tables, megabytes, error)) << error;
        auto address = reinterpret_cast<std::uintptr_t>(tables.entries.data());
        EXPECT_EQ(address % LARGE_PAGE_BYTES, 0u) << megabytes;
        StoreInTable(tables, 11, EncodeMove(1, 2), 10, 0, 5, BOUND_EXACT);
        TableHit hit;
        EXPECT_TRUE(ProbeTable(tables, 11, hit)) << megabytes;
    }
}
#endif

#if ALLOCATION_FAILURES_THROW
// More memory than a process can address.
TEST(TableSize, ASizeThatCannotBeHadKeepsTheTableThereWas) {
    SearchTables tables;
    std::string error;
    ASSERT_TRUE(ResizeSearchTables(tables, 2, error));
    StoreInTable(tables, 11, EncodeMove(1, 2), 10, 0, 5, BOUND_EXACT);
    std::size_t size = tables.entries.size();
    EXPECT_FALSE(ResizeSearchTables(tables, INT_MAX, error));
    EXPECT_NE(error.find("2147483647 MB"), std::string::npos) << error;
    EXPECT_NE(error.find("the table has 2 MB"), std::string::npos) << error;
    EXPECT_EQ(tables.entries.size(), size);
    TableHit hit;
    EXPECT_TRUE(ProbeTable(tables, 11, hit));
}

#if defined(__linux__)
// Run in a child whose address space leaves room for 32 MB more but not 64.
TEST(TableSize, WithoutATableTakesTheLargestThatCanBeHad) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        long pages = 0;
        FILE* statm = std::fopen("/proc/self/statm", "r");
        if (!statm || std::fscanf(statm, "%ld", &pages) != 1) _exit(2);
        std::fclose(statm);
        rlimit limit{};
        limit.rlim_cur = limit.rlim_max = rlim_t(pages) * sysconf(_SC_PAGESIZE) + (48 << 20);
        if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(3);
        SearchTables tables;
        std::string error;
        if (ResizeSearchTables(tables, 1024, error)) _exit(4);
        if (error.find("the table has 32 MB") == std::string::npos) _exit(5);
        StoreInTable(tables, 11, EncodeMove(1, 2), 10, 0, 5, BOUND_EXACT);
        TableHit hit;
        _exit(ProbeTable(tables, 11, hit) ? 0 : 6);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "2: no statm, 3: no limit, 4: resized, 5: size, 6: probe";
}
#endif
#endif

// A mate stored at one ply and read at another keeps its distance from the
// position stored; other scores pass unchanged.
TEST(TableScores, MatesCountFromThePositionStored) {
    const int MATE_IN_3 = MATE_SCORE - 5;  // at ply 2: mates three plies after it
    const struct {
        int score, storedAt, readAt, read;
    } CASES[] = {
        {MATE_IN_3, 2, 2, MATE_IN_3},
        {MATE_IN_3, 2, 6, MATE_IN_3 - 4},
        {-MATE_IN_3, 2, 6, -MATE_IN_3 + 4},
        {-MATE_IN_3, 6, 2, -MATE_IN_3 - 4},
        {MATE_BOUND, 0, 9, MATE_BOUND - 9},
        {MATE_BOUND - 1, 0, 9, MATE_BOUND - 1},
        {-250, 3, 8, -250},
    };
    for (const auto& c : CASES)
        EXPECT_EQ(ScoreFromTable(ScoreToTable(c.score, c.storedAt), c.readAt), c.read) << c.score;
}

}  // namespace
}  // namespace chess
