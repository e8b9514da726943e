#include "chess/wdl.h"

#include <gtest/gtest.h>

#include "chess/tests/fen_game.h"

namespace chess {
namespace {

// From bare kings to the full board: the chances always sum to 1000, are
// even at a score of 0, and the win grows and the loss falls as the score does.
TEST(Wdl, ChancesAreEvenAtZeroAndFollowTheScore) {
    const std::pair<const char*, int> POSITIONS[] = {
        {"4k3/8/8/8/8/8/8/4K3 w - - 0 1", 0},
        {"4k3/pp6/8/8/8/8/PP6/4K3 b - - 0 1", 4},
        {"r3k3/pp6/8/8/8/8/PP6/R3K3 w - - 0 1", 14},
        {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 78},
        {"qqqqkqqq/8/8/8/8/8/8/QQQQKQQQ b - - 0 1", 126},  // more than a game starts with
    };
    for (const auto& [fen, material] : POSITIONS) {
        const Board board = GameFromFen(fen).board;
        EXPECT_EQ(MaterialCount(board), material) << fen;
        const WinDrawLoss even = ExpectedResult(board, 0);
        EXPECT_EQ(even.win, even.loss) << fen;
        WinDrawLoss before = ExpectedResult(board, -3000);
        for (int score = -3000; score <= 3000; score += 25) {
            const WinDrawLoss now = ExpectedResult(board, score);
            EXPECT_EQ(now.win + now.draw + now.loss, 1000) << fen << " " << score;
            EXPECT_GE(now.draw, 0) << fen << " " << score;
            EXPECT_GE(now.win, before.win) << fen << " " << score;
            EXPECT_LE(now.loss, before.loss) << fen << " " << score;
            before = now;
        }
        EXPECT_GT(ExpectedResult(board, 100).win, ExpectedResult(board, 0).win) << fen;
        EXPECT_EQ(ExpectedResult(board, 3000).win, 1000) << fen;
        EXPECT_EQ(ExpectedResult(board, 0, 7).win, 1000) << fen;
        EXPECT_EQ(ExpectedResult(board, 0, -1).loss, 1000) << fen;
    }
}

}  // namespace
}  // namespace chess
