#include "tools/arena/uci_lines.h"

#include <gtest/gtest.h>

namespace arena {
namespace {

struct InfoCase {
    const char* line;
    bool read;  // whether the line replaces the report
    int depth;
    bool mate;
    int value;
};

const InfoCase kInfos[] = {
    {"info depth 9 seldepth 12 score cp 31 nodes 1000 nps 5 time 2 pv e2e4 e7e5", true, 9, false,
     31},
    {"info depth 12 score cp -105 pv d2d4", true, 12, false, -105},
    {"info score cp 7 depth 3", true, 3, false, 7},
    {"info depth 20 seldepth 9 multipv 1 score mate 5 nodes 12 pv h5f7", true, 20, true, 5},
    {"info depth 7 score mate -3 pv a1a2", true, 7, true, -3},
    // Scores after "pv" are moves' text, not a score.
    {"info depth 7 pv e2e4 score cp 50", false, 0, false, 0},
    // Passing guesses of an aspiration window, other lines, and other text.
    {"info depth 14 score cp 40 lowerbound nodes 5 pv e2e4", false, 0, false, 0},
    {"info depth 14 score cp 20 upperbound", false, 0, false, 0},
    {"info depth 9 multipv 2 score cp 10 pv d2d4", false, 0, false, 0},
    {"info string depth 9 score cp 10", false, 0, false, 0},
    {"info depth 9 currmove e2e4 currmovenumber 1", false, 0, false, 0},
    {"info nodes 100 score cp 10", false, 0, false, 0},
    {"info depth 9 score wdl 500 300 200", false, 0, false, 0},
    {"info depth 9 score cp ten", false, 0, false, 0},
    {"info depth x score cp 10", false, 0, false, 0},
    {"bestmove e2e4", false, 0, false, 0},
    {"", false, 0, false, 0},
    {"info depth 9 score cp", false, 0, false, 0},
};

TEST(ReadInfo, KeepsOnlyExactScoresOfTheBestLine) {
    for (const InfoCase& c : kInfos) {
        Report report;
        report.depth = 99;
        EXPECT_EQ(ReadInfo(c.line, report), c.read) << c.line;
        EXPECT_EQ(report.scored, c.read) << c.line;
        EXPECT_EQ(report.depth, c.read ? c.depth : 99) << c.line;
        EXPECT_EQ(report.score.mate, c.mate) << c.line;
        EXPECT_EQ(report.score.value, c.value) << c.line;
    }
}

TEST(ReadBestMove, TakesTheMoveWordUnchecked) {
    const struct {
        const char* line;
        bool read;
        const char* move;
    } cases[] = {
        {"bestmove e2e4", true, "e2e4"},     {"bestmove e7e8q ponder d1d2", true, "e7e8q"},
        {"bestmove 0000", true, "0000"},     {"bestmove", true, ""},
        {"bestmove   g1f3\r", true, "g1f3"}, {"info bestmove e2e4", false, "-"},
        {"bestmoves e2e4", false, "-"},      {"", false, "-"},
    };
    for (const auto& c : cases) {
        std::string move = "-";
        EXPECT_EQ(ReadBestMove(c.line, move), c.read) << c.line;
        EXPECT_EQ(move, c.move) << c.line;
    }
}

TEST(ScoreText, PawnsOrMovesToMateAlwaysSigned) {
    const struct {
        Score score;
        const char* text;
        int centipawns;
    } cases[] = {
        {{false, 31}, "+0.31", 31},        {{false, -5}, "-0.05", -5}, {{false, 0}, "+0.00", 0},
        {{false, -1234}, "-12.34", -1234}, {{true, 5}, "+M5", 99995},  {{true, -3}, "-M3", -99997},
        {{true, 0}, "-M0", -100000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScoreText(c.score), c.text) << c.text;
        EXPECT_EQ(Centipawns(c.score), c.centipawns) << c.text;
    }
}

}  // namespace
}  // namespace arena
