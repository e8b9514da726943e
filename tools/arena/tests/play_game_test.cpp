// Games against scripted engines: small shell programs that answer the
// handshake and then every "go" the same way, so that each way a game can
// end is played for real, through the pipes.
#include "tools/arena/play_game.h"

#include <gtest/gtest.h>

namespace arena {
namespace {

// An engine whose answer to every go is the shell code onGo.
std::string Scripted(const std::string& onGo) {
    return "sh -c 'while read -r line; do case $line in uci) echo uciok;; isready) echo readyok;; "
           "go*) " +
           onGo + ";; quit) exit;; esac; done'";
}

const char* const kFoolsMate = "rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq - 0 2";
const char* const kStart = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

struct GameCase {
    const char* what;
    const char* fen;
    std::string white, black;  // what each engine does on go
    const char* result;
    Termination termination;
    const char* reason;  // a part of it
    int faultySide;
    int moves;
};

const GameCase kGames[] = {
    {"a mate ends the game", kFoolsMate, "echo bestmove a2a3",
     "echo info depth 3 score mate 1 pv d8h4; echo bestmove d8h4", "0-1", Termination::NORMAL,
     "Black mates", -1, 1},
    {"an illegal move forfeits", kStart, "echo bestmove e2e5", "echo bestmove e7e5", "0-1",
     Termination::RULES_INFRACTION, "White plays a bad move: illegal move: e2e5", -1, 0},
    {"a bestmove without a move forfeits", kFoolsMate, "echo bestmove a2a3", "echo bestmove", "1-0",
     Termination::RULES_INFRACTION, "Black plays a bad move: not a move", -1, 0},
    {"an engine that exits forfeits", kStart, "exit", "echo bestmove e7e5", "0-1",
     Termination::ABANDONED, "White's engine exited", 0, 0},
    {"an engine that never answers forfeits", kFoolsMate, "echo bestmove a2a3", "true", "1-0",
     Termination::ABANDONED, "Black's engine did not answer", 1, 0},
};

TEST(PlayGame, EndsByTheRulesOrByAForfeit) {
    GameSettings settings;
    settings.time.nodes = 1000;
    settings.time.moveTimeoutMs = 300;
    for (const GameCase& c : kGames) {
        Engine white, black;
        std::string error;
        ASSERT_TRUE(OpenEngine({"w", Scripted(c.white), "", {}}, white, error)) << error;
        ASSERT_TRUE(OpenEngine({"b", Scripted(c.black), "", {}}, black, error)) << error;
        Engine* const engines[2] = {&white, &black};
        GameRecord game = PlayGame(engines, c.fen, settings);
        EXPECT_EQ(game.result, c.result) << c.what;
        EXPECT_EQ(game.termination, c.termination) << c.what;
        EXPECT_NE(game.reason.find(c.reason), std::string::npos) << c.what << ": " << game.reason;
        EXPECT_EQ(game.faultySide, c.faultySide) << c.what;
        EXPECT_EQ(static_cast<int>(game.moves.size()), c.moves) << c.what;
        CloseEngine(white);
        CloseEngine(black);
    }
}

TEST(PlayGame, KeepsTheClockAndTheScores) {
    // White answers at once with a score; Black takes longer than its 100 ms.
    GameSettings settings;
    settings.time = {0, 100, 0, 50, 10000};
    Engine white, black;
    std::string error;
    ASSERT_TRUE(
        OpenEngine({"w", Scripted("echo info depth 4 score cp -20; echo bestmove g1f3"), "", {}},
                   white, error));
    ASSERT_TRUE(OpenEngine({"b", Scripted("sleep 0.5; echo bestmove g8f6"), "", {}}, black, error));
    Engine* const engines[2] = {&white, &black};
    GameRecord game = PlayGame(engines, kStart, settings);
    EXPECT_EQ(game.result, "1-0");
    EXPECT_EQ(game.termination, Termination::TIME_FORFEIT);
    EXPECT_EQ(game.reason, "Black loses on time");
    ASSERT_EQ(game.moves.size(), 1u);
    EXPECT_EQ(game.moves[0].san, "Nf3");
    EXPECT_TRUE(game.moves[0].report.scored);
    EXPECT_EQ(game.moves[0].report.score.value, -20);
    EXPECT_EQ(game.moves[0].report.depth, 4);
    CloseEngine(white);
    CloseEngine(black);
}

TEST(GoCommand, ClocksOrNodes) {
    const int64_t clocks[2] = {9500, 10250};
    EXPECT_EQ(GoCommand({0, 10000, 100, 50, 0}, clocks),
              "go wtime 9500 btime 10250 winc 100 binc 100");
    EXPECT_EQ(GoCommand({1, 10000, 100, 50, 0}, clocks), "go nodes 1");
}

}  // namespace
}  // namespace arena
