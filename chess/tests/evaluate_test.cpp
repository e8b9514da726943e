#include <gtest/gtest.h>

#include "chess/tests/fen_game.h"

namespace chess {
namespace {

// Pairs of positions, White to move, that differ in one feature; the first
// is the better one for White.
struct PreferenceCase {
    const char* better;
    const char* worse;
    const char* feature;
};

const PreferenceCase kPreferences[] = {
    {"4k3/8/3P4/8/8/8/8/4K3 w - - 0 1", "4k3/8/8/8/8/3P4/8/4K3 w - - 0 1", "an advanced passer"},
    {"4k3/8/8/8/8/8/2PP4/4K3 w - - 0 1", "4k3/8/8/8/8/3P4/3P4/4K3 w - - 0 1", "undoubled pawns"},
    {"4k3/p7/8/8/8/8/1PP5/4K3 w - - 0 1", "4k3/p7/8/8/8/8/P1P5/4K3 w - - 0 1", "connected pawns"},
    {"k7/2p5/8/8/8/8/3P4/4R1K1 w - - 0 1", "k7/2p5/8/8/8/8/3P4/3R2K1 w - - 0 1",
     "a rook on an open file"},
    {"4k3/p7/8/8/3N4/8/P7/4K3 w - - 0 1", "4k3/p7/8/8/8/8/P7/N3K3 w - - 0 1", "a central knight"},
    {"2b1k3/8/8/8/8/8/8/2B1KB2 w - - 0 1", "2b1k3/8/8/8/8/8/8/2B1KN2 w - - 0 1", "the bishop pair"},
    {"3k4/8/8/8/8/8/3P4/3K4 w - - 0 1", "3k4/3p4/8/8/8/8/3P4/3K4 w - - 0 1", "an extra pawn"},
};

TEST(Evaluate, PrefersTheBetterOfTwoPositions) {
    for (const PreferenceCase& c : kPreferences)
        EXPECT_GT(Evaluate(GameFromFen(c.better)), Evaluate(GameFromFen(c.worse))) << c.feature;
}

TEST(Evaluate, ScalesDownPawnlessEndingsThatCannotBeWon) {
    // A rook against a bishop, or two knights, are far from a won game.
    EXPECT_LT(Evaluate(GameFromFen("4k3/8/4b3/8/8/8/8/R3K3 w - - 0 1")), 100);
    EXPECT_LT(Evaluate(GameFromFen("4k3/8/8/8/8/8/8/1N2K1N1 w - - 0 1")), 150);
    EXPECT_GT(Evaluate(GameFromFen("4k3/8/8/8/8/8/8/R3K3 w - - 0 1")), 400);
}

}  // namespace
}  // namespace chess
