#include <gtest/gtest.h>

#include "chess/evaluate.h"
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

TEST(Evaluate, IsSymmetricBetweenTheSides) {
    const char* mirrored[][2] = {
        {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
         "r3k2r/pppbbppp/2n2q1P/1P2p3/3pn3/BN2PNP1/P1PPQPB1/R3K2R b KQkq - 0 1"},
        {"8/5k2/8/3P4/8/8/2K5/8 w - - 0 1", "8/2k5/8/8/3p4/8/5K2/8 b - - 0 1"},
    };
    for (auto& pair : mirrored)
        EXPECT_EQ(Evaluate(GameFromFen(pair[0])), Evaluate(GameFromFen(pair[1]))) << pair[0];
    EXPECT_LT(Evaluate(GameFromFen("8/5k2/8/8/8/2Q5/2K5/8 b - - 0 1")), -800);
}

TEST(Evaluate, ScalesDownPawnlessEndingsThatCannotBeWon) {
    // A rook against a bishop, or two knights, are far from a won game.
    EXPECT_LT(Evaluate(GameFromFen("4k3/8/4b3/8/8/8/8/R3K3 w - - 0 1")), 100);
    EXPECT_LT(Evaluate(GameFromFen("4k3/8/8/8/8/8/8/1N2K1N1 w - - 0 1")), 150);
    EXPECT_GT(Evaluate(GameFromFen("4k3/8/8/8/8/8/8/R3K3 w - - 0 1")), 400);
}

struct MaterialCase {
    const char* fen;
    bool dead;  // neither side can ever mate
};

// c1, e3 and f8 are dark squares; c8 and f1 light ones.
const MaterialCase kMaterial[] = {
    {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", true},        {"4k3/8/8/8/8/8/8/1N2K3 w - - 0 1", true},
    {"4k3/8/8/8/8/4B3/8/2B1K3 w - - 0 1", true},    {"4kb2/8/8/8/8/8/8/2B1K3 w - - 0 1", true},
    {"4kb2/8/8/8/8/4B3/8/2B1K3 b - - 0 1", true},   {"2b1k3/8/8/8/8/8/8/2B1K3 w - - 0 1", false},
    {"4k3/8/8/8/8/8/8/2B1KB2 w - - 0 1", false},    {"4k3/8/8/8/8/4B3/8/2B1KN2 w - - 0 1", false},
    {"4kn2/8/8/8/8/8/8/2B1K3 w - - 0 1", false},    {"4k3/8/8/8/8/8/8/1N2KN2 w - - 0 1", false},
    {"4k3/8/8/8/8/4B3/4P3/2B1K3 w - - 0 1", false}, {"4k3/8/8/8/8/4B3/8/2B1K2R w - - 0 1", false},
    {"4k3/8/8/8/8/4B3/8/2B1K2q w - - 0 1", false},  {"4k3/8/8/8/8/8/8/2B1K3 w - - 0 1", true},
};

TEST(Evaluate, KnowsMaterialThatCanNeverMate) {
    for (const MaterialCase& c : kMaterial) {
        Game game = GameFromFen(c.fen);
        EXPECT_EQ(IsInsufficientMaterial(game.board), c.dead) << c.fen;
        if (c.dead) {
            EXPECT_EQ(Evaluate(game), 0) << c.fen;
        }
    }
}

// Material that mates a bare king is worth a lot, and more the nearer the
// king is driven to a corner; same-coloured bishops get no such drive.
struct DriveCase {
    const char* cornered;
    const char* central;
    bool drives;
};

const DriveCase kDrives[] = {
    {"k7/8/8/8/8/8/8/2B1KN2 w - - 0 1", "8/8/8/3k4/8/8/8/2B1KN2 w - - 0 1", true},
    {"k7/8/8/8/8/8/8/2B1KB2 w - - 0 1", "8/8/8/3k4/8/8/8/2B1KB2 w - - 0 1", true},
    {"8/8/8/8/8/8/8/2b1kb1K b - - 0 1", "8/8/8/4K3/8/8/8/2b1kb2 b - - 0 1", true},
    {"7k/8/5K2/8/8/8/8/R7 w - - 0 1", "8/8/8/3k4/8/8/8/R3K3 w - - 0 1", true},
    {"k7/8/8/8/8/8/8/1N2KN2 w - - 0 1", "8/8/8/3k4/8/8/8/1N2KN2 w - - 0 1", false},
};

TEST(Evaluate, DrivesTheLoneKingOnlyWithMatingMaterial) {
    for (const DriveCase& c : kDrives) {
        int cornered = Evaluate(GameFromFen(c.cornered)),
            central = Evaluate(GameFromFen(c.central));
        if (c.drives) {
            EXPECT_GT(cornered, central + 50) << c.cornered;
            EXPECT_GT(central, 500) << c.central;
        } else {
            EXPECT_LT(cornered, 150) << c.cornered;
            EXPECT_LT(central, 150) << c.central;
        }
    }
}

}  // namespace
}  // namespace chess
