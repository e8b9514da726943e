#include "tools/arena/arguments.h"

#include <gtest/gtest.h>

#include <sstream>

namespace arena {
namespace {

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

const char* const kTwo = "--engine cmd=./a option.Hash=16 option.Threads=1 --engine cmd=b name=B ";

TEST(ParseArguments, AMatch) {
    Command command;
    std::string error;
    ASSERT_TRUE(
        ParseArguments(Words(std::string(kTwo) +
                             "--tc 5+0.05 --margin 20 --concurrency 2 --games 40 "
                             "--sprt elo0=0 elo1=5 beta=0.5 --resign score=900 "
                             "--draw moves=6 after=30 --pgn out.pgn --openings o.fen --log t.log"),
                       command, error))
        << error;
    const MatchSettings& match = command.match;
    EXPECT_EQ(match.engines[0].command, "./a");
    EXPECT_EQ(match.engines[0].name, "a");
    EXPECT_EQ(match.engines[0].options,
              (std::vector<std::pair<std::string, std::string>>{{"Hash", "16"}, {"Threads", "1"}}));
    EXPECT_EQ(match.engines[1].name, "B");
    EXPECT_EQ(match.game.time.baseMs, 5000);
    EXPECT_EQ(match.game.time.incrementMs, 50);
    EXPECT_EQ(match.game.time.marginMs, 20);
    EXPECT_EQ(match.game.time.nodes, 0);
    EXPECT_EQ(match.concurrency, 2);
    EXPECT_EQ(match.games, 40);
    EXPECT_TRUE(match.sprt.on);
    EXPECT_EQ(match.sprt.elo1, 5);
    EXPECT_EQ(match.sprt.alpha, 0.05);
    EXPECT_EQ(match.sprt.beta, 0.5);
    EXPECT_EQ(match.game.adjudication.resignScore, 900);
    EXPECT_EQ(match.game.adjudication.resignMoves, 3);
    EXPECT_EQ(match.game.adjudication.drawMoves, 6);
    EXPECT_EQ(match.game.adjudication.drawScore, 10);
    EXPECT_EQ(match.game.adjudication.drawAfter, 30);
    EXPECT_EQ(match.pgnPath, "out.pgn");
    EXPECT_EQ(match.logPath, "t.log");
    EXPECT_EQ(command.openingsPath, "o.fen");
}

TEST(ParseArguments, SameProgramsGetNamesApart) {
    Command command;
    std::string error;
    ASSERT_TRUE(ParseArguments(
        Words("--engine cmd=/x/uci --engine cmd=/y/uci nodes=2100 --nodes 2000"), command, error))
        << error;
    EXPECT_EQ(command.match.engines[0].nodes, 0);
    EXPECT_EQ(command.match.engines[1].nodes, 2100);
    EXPECT_EQ(command.match.engines[0].name, "uci-1");
    EXPECT_EQ(command.match.engines[1].name, "uci-2");
    EXPECT_EQ(command.match.game.time.nodes, 2000);
    EXPECT_FALSE(command.match.sprt.on);
    EXPECT_EQ(command.match.game.adjudication.resignScore, 0);
}

TEST(ParseArguments, TheOpeningsRecipe) {
    Command command;
    std::string error;
    ASSERT_TRUE(ParseArguments(Words("openings --count 12 --seed 7 --plies 4-8 --margin 30"),
                               command, error));
    EXPECT_TRUE(command.generateOpenings);
    EXPECT_EQ(command.recipe.count, 12);
    EXPECT_EQ(command.recipe.seed, 7u);
    EXPECT_EQ(command.recipe.minPlies, 4);
    EXPECT_EQ(command.recipe.maxPlies, 8);
    EXPECT_EQ(command.recipe.depth, 8);
    EXPECT_EQ(command.recipe.margin, 30);
}

TEST(ParseArguments, RefusesWithAReason) {
    const struct {
        std::string args;
        const char* error;  // a part of it
    } cases[] = {
        {"--engine cmd=a", "two --engine"},
        {"--engine name=a --engine cmd=b", "cmd="},
        {"--engine cmd=a hash=1 --engine cmd=b", "unknown setting 'hash'"},
        {"--engine cmd=a nodes=0 --engine cmd=b --nodes 5", "--engine nodes must be"},
        {"--engine cmd=a nodes=9 --engine cmd=b --tc 5+0.1", "needs a match at --nodes"},
        {std::string(kTwo) + "--tc 5", "BASE+INC"},
        {std::string(kTwo) + "--tc 0+1", "BASE+INC"},
        {std::string(kTwo) + "--tc 5+0.1 --nodes 100", "exclude"},
        {std::string(kTwo) + "--nodes 0", "--nodes must be"},
        {std::string(kTwo) + "--concurrency", "needs a value"},
        {std::string(kTwo) + "--sprt elo0=5 elo1=5", "elo0 < elo1"},
        {std::string(kTwo) + "--sprt elo0=0 elo1=5 alpha=0", "alpha"},
        {std::string(kTwo) + "--sprt elo0=0 elo1=5 gamma=1", "unknown setting 'gamma'"},
        {std::string(kTwo) + "--resign moves=3", "--resign score"},
        {std::string(kTwo) + "--draw score=5", "--draw moves"},
        {std::string(kTwo) + "--fast 1", "unknown option"},
        {"openings --plies 8-6", "MIN-MAX"},
        {"openings --count", "needs a value"},
        {"openings --games 4", "unknown option"},
    };
    for (const auto& c : cases) {
        Command command;
        std::string error;
        EXPECT_FALSE(ParseArguments(Words(c.args), command, error)) << c.args;
        EXPECT_NE(error.find(c.error), std::string::npos) << c.args << ": " << error;
    }
    Command command;
    std::string error;
    EXPECT_TRUE(ParseArguments(Words("openings --help"), command, error) && command.help);
}

}  // namespace
}  // namespace arena
