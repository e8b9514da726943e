#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/memory.h"
#include "session_helpers.h"
#include "uci/fen.h"
#include "uci/perft.h"

// Kings may be taken, so these agree with the counts of legal chess only
// where no king can be reached within the depth.
TEST(Perft, CountsTheMovePaths) {
    const std::tuple<const char*, int, int64_t> CASES[] = {
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 0, 1},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 3, 8902},
        {"r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1", 1, 26},  // castling on both wings
        {"4k3/P7/8/8/8/8/8/4K3 w - - 0 1", 1, 6},         // one promotion
        {"8/8/8/8/8/8/8/N6n w - - 0 1", 2, 4},            // no kings: the counting goes on
        {"P7/8/8/8/8/8/8/8 w - - 0 1", 3, 0},             // a pawn on its last rank is stuck
    };
    for (const auto& [fen, depth, nodes] : CASES) {
        FenPosition position;
        std::string error;
        ASSERT_TRUE(ParseFen(SplitWords(fen), false, position, error)) << error;
        bool outOfMemory = false;
        EXPECT_EQ(Perft(position.record, depth, outOfMemory), nodes) << fen;
        EXPECT_FALSE(outOfMemory);
    }
}

namespace {

// The engine's blocks not yet given back.
int BlocksHeld = 0;
void* CountedAllocate(std::size_t bytes) {
    ++BlocksHeld;
    return std::malloc(bytes);
}
void CountedRelease(void* block) {
    BlocksHeld -= block != nullptr;
    std::free(block);
}

}  // namespace

// Each rule set counts its own moves: kings may be taken only in the game's,
// whose counting gives back every block it takes, also with one root move.
TEST(Perft, GoPerftListsEachRootMoveThenTheTotal) {
    SetBlockAllocator(CountedAllocate, CountedRelease);
    for (const char* fen : {"startpos", "fen 8/8/8/8/n7/8/P7/8 w - - 0 1"}) {
        KingCaptureSession session;
        RunScript(session, std::string("position ") + fen + "\ngo perft 3");
        EXPECT_EQ(BlocksHeld, 0) << fen;
    }
    SetBlockAllocator(nullptr, nullptr);

    KingCaptureSession game;
    std::vector<std::string> lines = OutputLines(RunScript(game, "go perft 2"));
    ASSERT_EQ(lines.size(), 22u);
    EXPECT_EQ(lines[0], "b1c3: 20");  // in successor order: b1 holds the first mover
    EXPECT_EQ(lines[19] + lines[20] + lines[21], "h2h4: 20Nodes searched: 400");
    const std::string CHECK = "position fen 4k3/8/8/8/8/8/8/R3K3 w - - 0 1 moves a1a8\ngo perft 2";
    EXPECT_EQ(OutputLines(RunScript(game, CHECK)).back(), "Nodes searched: 89");
    UciSession chess;
    EXPECT_EQ(OutputLines(RunScript(chess, CHECK)).back(), "Nodes searched: 57");
}
