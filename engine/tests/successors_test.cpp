#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/successors.h"
#include "engine/tests/reference_engine.h"
#include "engine/tests/test_memory.h"
#include "rules/tests/test_positions.h"

namespace {

// Boards with more successors than the buffer on the stack holds, for White
// and, mirrored, for Black.
const struct {
    const char* position;
    std::size_t successors;
} CROWDED[] = {
    {"k7/8/1Q1Q1Q1Q/8/Q1Q1Q1Q1/8/4Q3/7K w", 156},
    {"3Q4/1Q4Q1/4Q3/2Q4R/Q4Q2/3Q4/1Q4Rp/1K1BBNNk w", 218},
    {"QQQQQQQB/Q6Q/Q6Q/Q6Q/Q6Q/Q6Q/QQ5Q/1KQQQQQk w", 276},
    {"7k/4q3/8/q1q1q1q1/8/1q1q1q1q/8/K7 b", 156},
    {"1k1bbnnK/1q4rP/3q4/q4q2/2q4r/4q3/1q4q1/3q4 b", 218},
    {"1kqqqqqK/qq5q/q6q/q6q/q6q/q6q/q6q/qqqqqqqb b", 276},
};

struct Generated {
    std::vector<PositionRecord> successors;
    bool outOfMemory = false;
};

Generated Generate(const PositionRecord& position) {
    Generated generated;
    SuccessorList list = nullptr;
    const int count = GenerateSuccessors(position, list, generated.outOfMemory);
    generated.successors.assign(list, list + count);
    ReleaseSuccessors(list);
    return generated;
}

}  // namespace

TEST(Successors, MatchTheGeneratorsInOrder) {
    std::vector<PositionRecord> positions = RandomGamePositions(77, 30, 150);
    for (const auto& crowded : CROWDED) {
        positions.push_back(MakePosition(crowded.position));
        EXPECT_EQ(Generate(positions.back()).successors.size(), crowded.successors)
            << crowded.position;
    }
    positions.push_back(MakePosition("6PK/6PP/8/8/8/8/8/k7"));  // boxed in: no move
    positions.push_back(MakePosition("8/8/8/8/8/8/8/k7"));      // nothing to move
    for (const PositionRecord& position : positions) {
        const Generated generated = Generate(position);
        ASSERT_EQ(generated.successors, reference::Successors(position))
            << ::testing::PrintToString(position);
        EXPECT_FALSE(generated.outOfMemory);
    }
}

using SuccessorMemory = EngineMemoryTest;

TEST_F(SuccessorMemory, OneBlockPerListAndNothingWhenAnAllocationFails) {
    for (const char* text :
         {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq", CROWDED[0].position,
          CROWDED[2].position, CROWDED[4].position, "6PK/6PP/8/8/8/8/8/k7"}) {
        const PositionRecord position = MakePosition(text);
        FailCall(0);
        const int successors = static_cast<int>(Generate(position).successors.size());
        ExpectBalanced(text);
        const int64_t allocations = Calls();
        EXPECT_EQ(allocations == 0, successors == 0) << text;
        // The working buffer and the list in turn: no list, the caller's
        // pointer untouched, one failure noted and nothing reported.
        for (int64_t n = 1; n <= allocations + 1; ++n) {
            FailCall(n, true);
            PositionRecord sentinel{};
            SuccessorList list = &sentinel;
            bool outOfMemory = false;
            const int count = GenerateSuccessors(position, list, outOfMemory);
            EXPECT_EQ(outOfMemory, n <= allocations) << text << " call " << n;
            EXPECT_EQ(count, n <= allocations ? 0 : successors);
            if (count > 0) ReleaseSuccessors(list);
            EXPECT_EQ(list == &sentinel, count == 0);
            EXPECT_EQ(Failures(), n <= allocations ? 1 : 0) << "it stops at the first failure";
            EXPECT_EQ(Reports(), 0);
            ExpectBalanced(text);
        }
    }
}
