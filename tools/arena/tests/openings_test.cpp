#include "tools/arena/openings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "chess/chess.h"

namespace arena {
namespace {

// The same recipe makes the same openings, whatever the count. The file
// shipped stays as it was made, so that matches stay comparable: each of its
// lines is a position a game can start from.
TEST(GenerateOpenings, TheRecipeRepeatsAndTheFileHoldsPlayableOpenings) {
    OpeningRecipe recipe;
    recipe.count = 4;
    const std::vector<std::string> made = GenerateOpenings(recipe, [](int, int) {});
    recipe.count = 5;
    const std::vector<std::string> more = GenerateOpenings(recipe, [](int, int) {});
    EXPECT_EQ(made, std::vector<std::string>(more.begin(), more.begin() + 4));
    std::ifstream file(QUILLMATE_OPENINGS_FILE);
    std::vector<std::string> read;
    std::string error;
    ASSERT_TRUE(ReadOpenings(file, read, error)) << error;
    ASSERT_EQ(read.size(), 300u);
    for (const std::string& fen : read) {
        chess::Game game;
        EXPECT_TRUE(GameFromFen(fen, game, error)) << fen << ": " << error;
    }
}

TEST(GenerateOpenings, KeepsEachPositionOnce) {
    // One ply from the initial position: twenty positions, and no more.
    OpeningRecipe recipe{20, 1, 1, 5, 1, 100000};
    std::vector<std::string> made = GenerateOpenings(recipe, [](int, int) {});
    EXPECT_EQ(std::set<std::string>(made.begin(), made.end()).size(), 20u);
    for (const std::string& fen : made) {
        chess::Game game;
        std::string error;
        ASSERT_TRUE(GameFromFen(fen, game, error)) << fen << ": " << error;
        EXPECT_EQ(FenOf(game), fen);
        EXPECT_EQ(game.board.side, chess::BLACK) << fen;
    }
}

TEST(ReadOpenings, SkipsCommentsAndNamesTheBadLine) {
    std::istringstream good(
        "# two\n\n  4k3/8/8/8/8/8/8/4K2R w K - 0 1  \n4k3/8/8/8/8/8/8/4K3 b - -\n");
    std::vector<std::string> fens;
    std::string error;
    EXPECT_TRUE(ReadOpenings(good, fens, error)) << error;
    EXPECT_EQ(fens, (std::vector<std::string>{"4k3/8/8/8/8/8/8/4K2R w K - 0 1",
                                              "4k3/8/8/8/8/8/8/4K3 b - -"}));
    std::istringstream bad("4k3/8/8/8/8/8/8/4K3 w - - 0 1\n4k3/8/8/8/8/8/8/4K3 x - - 0 1\n");
    EXPECT_FALSE(ReadOpenings(bad, fens, error));
    EXPECT_EQ(error.rfind("line 2: ", 0), 0u) << error;
}

}  // namespace
}  // namespace arena
