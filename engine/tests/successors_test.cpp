#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/successors.h"
#include "engine/tests/reference_engine.h"
#include "engine/tests/test_memory.h"
#include "rules/tests/test_positions.h"

namespace {

// Boards with more successors than the buffer on the stack holds (156, 218
// and 276), for White and, turned upside down, for Black.
const char* const CROWDED[] = {
    "k7/8/1Q1Q1Q1Q/8/Q1Q1Q1Q1/8/4Q3/7K",
    "3Q4/1Q4Q1/4Q3/2Q4R/Q4Q2/3Q4/1Q4Rp/1K1BBNNk",
    "QQQQQQQB/Q6Q/Q6Q/Q6Q/Q6Q/Q6Q/QQ5Q/1KQQQQQk",
};

PositionRecord UpsideDown(const PositionRecord& position) {
    PositionRecord turned = position;
    for (int square = 0; square < 64; ++square) {
        const char c = position.board[(7 - square / 8) * 8 + square % 8];
        turned.board[square] = SideOf(c) == 'w' ? static_cast<char>(c + 32) : c;
    }
    turned.sideToMove = 'b';
    return turned;
}

struct Generated {
    int count = 0;
    std::vector<PositionRecord> successors;
    bool outOfMemory = false;
};

Generated Generate(const PositionRecord& position) {
    Generated generated;
    SuccessorList list = nullptr;
    generated.count = GenerateSuccessors(position, list, generated.outOfMemory);
    if (generated.count > 0) generated.successors.assign(list, list + generated.count);
    ReleaseSuccessors(list);
    return generated;
}

}  // namespace

TEST(Successors, MatchTheGeneratorsInOrder) {
    std::vector<PositionRecord> positions = RandomGamePositions(77, 30, 150);
    const int sizes[] = {156, 218, 276};
    for (int i = 0; i < 3; ++i) {
        const PositionRecord white = MakePosition(CROWDED[i]);
        EXPECT_EQ(Generate(white).count, sizes[i]) << CROWDED[i];
        positions.push_back(white);
        positions.push_back(UpsideDown(white));
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
    for (const char* diagram : {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR", CROWDED[0],
                                CROWDED[1], CROWDED[2], "6PK/6PP/8/8/8/8/8/k7"}) {
        const PositionRecord position = MakePosition(diagram, 'w', "KQkq");
        ResetCounts();
        const Generated whole = Generate(position);
        ExpectBalanced(diagram);
        const int64_t allocations = Calls();
        EXPECT_EQ(allocations == 0, whole.count == 0) << diagram;
        // The working buffer and the list in turn: no list, the caller's
        // pointer untouched, one failure noted and nothing reported.
        for (int64_t n = 1; n <= allocations + 1; ++n) {
            FailCall(n, true);
            PositionRecord sentinel{};
            SuccessorList list = &sentinel;
            bool outOfMemory = false;
            const int count = GenerateSuccessors(position, list, outOfMemory);
            EXPECT_EQ(outOfMemory, n <= allocations) << diagram << " call " << n;
            EXPECT_EQ(count, n <= allocations ? 0 : whole.count);
            if (count > 0) ReleaseSuccessors(list);
            EXPECT_EQ(list == &sentinel, count == 0);
            EXPECT_EQ(Failures(), n <= allocations ? 1 : 0) << "it stops at the first failure";
            EXPECT_EQ(Reports(), 0);
            ExpectBalanced(diagram);
        }
    }
}
