#include "chess/bitboard.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace chess {
namespace {

// Steps square by square from square, stopping on and including the first
// occupied one: the slow definition the fast lookups must agree with.
Bitboard Walk(int square, Bitboard occupied, const int (&steps)[4][2]) {
    Bitboard attacks = 0;
    for (const auto& step : steps) {
        int file = FileOf(square) + step[0], rank = RankOf(square) + step[1];
        for (; file >= 0 && file < 8 && rank >= 0 && rank < 8; file += step[0], rank += step[1]) {
            attacks |= Bit(MakeSquare(file, rank));
            if (occupied & Bit(MakeSquare(file, rank))) break;
        }
    }
    return attacks;
}

constexpr int kRookSteps[4][2] = {{0, 1}, {1, 0}, {0, -1}, {-1, 0}};
constexpr int kBishopSteps[4][2] = {{1, 1}, {-1, 1}, {1, -1}, {-1, -1}};

// The squares whose occupation can change what a slider on square sees:
// its lines on an empty board, less the last square of each.
Bitboard Relevant(int square, const int (&steps)[4][2]) {
    Bitboard relevant = 0;
    for (const auto& step : steps) {
        int file = FileOf(square) + step[0], rank = RankOf(square) + step[1];
        for (;
             file + step[0] >= 0 && file + step[0] < 8 && rank + step[1] >= 0 && rank + step[1] < 8;
             file += step[0], rank += step[1])
            relevant |= Bit(MakeSquare(file, rank));
    }
    return relevant;
}

struct SliderCase {
    const char* name;
    const int (*steps)[4][2];
    Bitboard (*attacks)(int, Bitboard);
};

// Every occupancy of the squares that matter, each with the rest of the
// board filled at random (which must change nothing), for every square.
TEST(SliderAttacks, AgreeWithStepByStepForEveryOccupancy) {
    const SliderCase cases[] = {{"rook", &kRookSteps, RookAttacks},
                                {"bishop", &kBishopSteps, BishopAttacks}};
    uint64_t state = 12345;
    for (const SliderCase& slider : cases) {
        for (int square = 0; square < 64; ++square) {
            const Bitboard relevant = Relevant(square, *slider.steps);
            Bitboard subset = 0;
            do {
                state = state * 6364136223846793005ull + 1442695040888963407ull;
                const Bitboard occupied = subset | ((state ^ (state >> 29)) & ~relevant);
                ASSERT_EQ(slider.attacks(square, occupied), Walk(square, occupied, *slider.steps))
                    << slider.name << " on " << square << ", occupied " << occupied;
                subset = (subset - relevant) & relevant;
            } while (subset);
        }
    }
}

TEST(SliderAttacks, EmptyAndFullBoards) {
    const struct {
        int square;
        Bitboard occupied, rook, bishop;
    } cases[] = {
        {0, 0, (FileMask(0) | RankMask(0)) & ~Bit(0), 0x8040201008040200ull},
        {27, ~Bitboard{0}, Bit(19) | Bit(26) | Bit(28) | Bit(35),
         Bit(18) | Bit(20) | Bit(34) | Bit(36)},
        {63, Bit(62) | Bit(55) | Bit(54), Bit(62) | Bit(55), Bit(54)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RookAttacks(c.square, c.occupied), c.rook) << c.square;
        EXPECT_EQ(BishopAttacks(c.square, c.occupied), c.bishop) << c.square;
    }
}

// Both ways of counting, the instruction's (where the processor has it)
// and the arithmetic, against counting bit by bit: empty and full sets,
// single bits at both ends, and random sets of every density.
TEST(PopCount, BothWaysAgreeWithCountingBitByBit) {
    std::vector<Bitboard> sets = {0, ~Bitboard{0}, 1, Bit(63), Bit(63) | 1, LIGHT_SQUARES};
    uint64_t state = 99;
    for (int i = 0; i < 3000; ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        Bitboard set = state ^ (state >> 31);
        // Thin the set out by a random number of ands, down to one bit or none.
        for (int thin = i % 7; thin > 0; --thin) set &= set >> (1 + i % 5);
        sets.push_back(set);
    }
    // Whatever fails, the flag is as it was for the tests after this one.
    struct FlagKeeper {
        bool kept = bitboard_detail::hasPopCountInstruction;
        ~FlagKeeper() { bitboard_detail::hasPopCountInstruction = kept; }
    } keeper;
    for (bool instruction : {false, keeper.kept}) {
        bitboard_detail::hasPopCountInstruction = instruction;
        for (Bitboard set : sets) {
            int bits = 0;
            for (int square = 0; square < 64; ++square) bits += (set >> square) & 1;
            ASSERT_EQ(PopCount(set), bits) << "instruction " << instruction << ", set " << set;
            ASSERT_EQ(bitboard_detail::PopCountByArithmetic(set), bits) << set;
        }
    }
}

}  // namespace
}  // namespace chess
