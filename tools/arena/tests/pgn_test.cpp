#include "tools/arena/pgn.h"

#include <gtest/gtest.h>

#include <tuple>

#include "tools/arena/positions.h"

namespace arena {
namespace {

PlayedMove Move(const char* san, bool scored, bool mate, int value, int depth, double seconds) {
    PlayedMove move;
    move.san = san;
    move.report = {scored, depth, {mate, value}};
    move.seconds = seconds;
    return move;
}

TEST(Pgn, GameFromThePositionAfterAnOpening) {
    GameRecord game;
    game.fen = "rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq - 0 2";
    game.white = "old \"build\"";
    game.black = "new";
    game.moves = {Move("Qh4#", true, true, 1, 3, 0.015)};
    game.result = "0-1";
    game.reason = "Black mates";
    PgnHeader header{"test", "here", "2024.01.02", 7, "10+0.1"};
    EXPECT_EQ(PgnOf(game, header),
              "[Event \"test\"]\n[Site \"here\"]\n[Date \"2024.01.02\"]\n[Round \"7\"]\n"
              "[White \"old \\\"build\\\"\"]\n[Black \"new\"]\n[Result \"0-1\"]\n"
              "[FEN \"rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq - 0 2\"]\n"
              "[SetUp \"1\"]\n[Termination \"normal\"]\n[TimeControl \"10+0.1\"]\n"
              "[PlyCount \"1\"]\n\n2... Qh4# {+M1/3 0.01s} {Black mates} 0-1\n\n");
}

TEST(Pgn, MovesFromTheStartWrapAndCarryTheirComments) {
    GameRecord game;
    game.fen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    game.white = "a";
    game.black = "b";
    for (int i = 0; i < 6; ++i)
        game.moves.push_back(Move(i % 2 ? "Nf6" : "Nf3", i != 3, false, -i * 7, 10 + i, 0.5));
    game.result = "1-0";
    game.termination = Termination::TIME_FORFEIT;
    game.reason = "Black loses on time";
    std::string pgn = PgnOf(game, PgnHeader{});
    EXPECT_EQ(pgn.find("[FEN"), std::string::npos);
    EXPECT_NE(pgn.find("[Termination \"time forfeit\"]\n[PlyCount \"6\"]\n\n"), std::string::npos);
    EXPECT_EQ(pgn.find("TimeControl"), std::string::npos);
    EXPECT_NE(pgn.find("\n\n1. Nf3 {+0.00/10 0.50s} Nf6 {-0.07/11 0.50s} 2. Nf3 {-0.14/12 0.50s}"
                       " Nf6\n{0.50s} 3. Nf3 {-0.28/14 0.50s} Nf6 {-0.35/15 0.50s} {Black loses "
                       "on time} 1-0\n\n"),
              std::string::npos)
        << pgn;
}

TEST(Pgn, TimeControlTag) {
    EXPECT_EQ(TimeControlTag({0, 5000, 50, 50, 0}), "5+0.05");
    EXPECT_EQ(TimeControlTag({0, 60000, 0, 50, 0}), "60+0");
    EXPECT_EQ(TimeControlTag({10000, 60000, 0, 50, 0}), "");
}

// Positions come from moves scored in centipawns, with White's points, and
// only from games that ended on the board or by adjudication.
TEST(Positions, ScoredMovesOfDecidedGamesWithWhitesPoints) {
    GameRecord game;
    game.moves = {Move("e4", true, false, 31, 9, 0.1), Move("e5", false, false, 0, 0, 0.1),
                  Move("Nf3", true, true, 3, 9, 0.1), Move("Nc6", true, false, -12, 9, 0.1)};
    game.moves[0].fen = "A";
    game.moves[3].fen = "B";
    const std::tuple<const char*, Termination, const char*> CASES[] = {
        {"1-0", Termination::NORMAL, "A;31;1\nB;-12;1\n"},
        {"1/2-1/2", Termination::ADJUDICATION, "A;31;0.5\nB;-12;0.5\n"},
        {"0-1", Termination::NORMAL, "A;31;0\nB;-12;0\n"},
        {"0-1", Termination::TIME_FORFEIT, ""},
        {"*", Termination::ABANDONED, ""},
    };
    for (const auto& [result, termination, lines] : CASES) {
        game.result = result;
        game.termination = termination;
        EXPECT_EQ(PositionLines(game), lines) << result;
    }
}

}  // namespace
}  // namespace arena
