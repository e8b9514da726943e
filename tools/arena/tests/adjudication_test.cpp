#include "tools/arena/adjudication.h"

#include <gtest/gtest.h>

namespace arena {
namespace {

using Scores = std::vector<std::optional<int>>;

// Resign at 1000 cp for 2 moves each; draw within 10 cp for 2 moves each after move 3.
AdjudicationRules Rules(bool resign, bool draw) {
    AdjudicationRules rules;
    rules.resignScore = resign ? 1000 : 0;
    rules.resignMoves = 2;
    rules.drawMoves = draw ? 2 : 0;
    rules.drawScore = 10;
    rules.drawAfter = 3;
    return rules;
}

struct Case {
    const char* what;
    Scores scores;  // White's view, one per ply
    bool resign, draw;
    Verdict verdict;
};

const std::optional<int> kNone;

const Case kCases[] = {
    {"four plies at +1000", {0, 1000, 1200, 1000, 5000}, true, false, Verdict::WHITE_WINS},
    {"black winning, a mate counts",
     {-1000, -99990, -1500, -1000},
     true,
     false,
     Verdict::BLACK_WINS},
    {"three plies only", {1000, 1000, 1000}, true, false, Verdict::NONE},
    {"one ply short of the threshold", {1000, 999, 1000, 1000}, true, false, Verdict::NONE},
    {"the run broken by a ply without score",
     {1000, kNone, 1000, 1000, 1000},
     true,
     false,
     Verdict::NONE},
    {"sides disagree", {1000, -1000, 1000, -1000}, true, false, Verdict::NONE},
    {"resignation off", {2000, 2000, 2000, 2000}, false, true, Verdict::NONE},
    {"six plies within 10", {300, 5, -10, 10, 0, 0}, false, true, Verdict::DRAW},
    {"too early: five plies", {5, -10, 10, 0, 0}, false, true, Verdict::NONE},
    {"one score at 11", {0, 0, 0, 11, 0, 0}, false, true, Verdict::NONE},
    {"draw off", {0, 0, 0, 0, 0, 0}, true, false, Verdict::NONE},
    {"no scores", {kNone, kNone, kNone, kNone, kNone, kNone}, true, true, Verdict::NONE},
};

TEST(Adjudicate, Table) {
    for (const Case& c : kCases)
        EXPECT_EQ(Adjudicate(c.scores, Rules(c.resign, c.draw)), c.verdict) << c.what;
}

}  // namespace
}  // namespace arena
