#include "chess/skill.h"

#include <gtest/gtest.h>

#include "chess/search.h"
#include "chess/tests/fen_game.h"

namespace chess {
namespace {

Iteration Line(int score, int mateIn = 0) {
    Iteration line;
    line.score = score;
    line.mateIn = mateIn;
    return line;
}

// How often each line is chosen in 1000 draws from one seed.
std::vector<int> Choices(const std::vector<Iteration>& lines, int level) {
    std::vector<int> counts(lines.size());
    uint64_t random = 12345;
    for (int draw = 0; draw < 1000; ++draw) ++counts[ChooseSkillLine(lines, level, random)];
    return counts;
}

TEST(Skill, MatesInOneAreTakenAndMatesAgainstAreAvoided) {
    const std::vector<Iteration> CASES[] = {
        {Line(0, 1), Line(900), Line(800)},       // mate in one
        {Line(0, -1), Line(0, -2), Line(0, -3)},  // every line lost: the longest defence
        {Line(-500), Line(0, -1), Line(0, -1)},   // the one line that is not mated
        {Line(0, 2), Line(0, -1), Line(-30)},     // a mate, or a line trailing by a mate
    };
    for (const std::vector<Iteration>& lines : CASES) {
        for (int level = 0; level < MAX_SKILL_LEVEL; ++level) {
            const std::vector<int> counts = Choices(lines, level);
            EXPECT_EQ(counts[0] + (lines[2].mateIn >= 0 ? counts[2] : 0), 1000) << level;
        }
    }
}

// Close lines share the play at every level; a line far behind is played
// less the higher the level, and the best is always played most.
TEST(Skill, LowerLevelsStrayFurtherFromTheBest) {
    const std::vector<Iteration> lines = {Line(50), Line(45), Line(-100), Line(-400)};
    int farBefore = 1001;
    for (int level = 0; level < MAX_SKILL_LEVEL; ++level) {
        const std::vector<int> counts = Choices(lines, level);
        EXPECT_GT(counts[0], counts[2]) << level;
        EXPECT_GT(counts[1], 250) << level;
        EXPECT_LE(counts[2] + counts[3], farBefore) << level;
        farBefore = counts[2] + counts[3];
    }
    EXPECT_GT(Choices(lines, 0)[3], 25);
    EXPECT_EQ(Choices(lines, MAX_SKILL_LEVEL - 1)[3], 0);
}

// Searched as the engine tool searches for a level: the move chosen is
// legal, mates when it can, and leaves no mate in one when it need not.
TEST(Skill, EveryLevelPlaysLegallyAndMatesInOne) {
    const char* const MATE_IN_ONE[] = {"6k1/5ppp/8/8/8/8/5PPP/3R2K1 w - - 0 1",
                                       "7k/8/6K1/8/8/8/8/5Q2 w - - 0 1",
                                       "6br/5Ppk/6pp/8/8/8/8/K7 w - - 0 1"};
    uint64_t random = 7;
    for (int level = 0; level < MAX_SKILL_LEVEL; ++level) {
        const SkillSearch skill = SkillSearchFor(level);
        SearchLimits limits = Depth(skill.maxDepth ? skill.maxDepth : MAX_PLY - 1);
        limits.maxNodes = skill.maxNodes;
        limits.multiPv = skill.lines;
        for (const char* fen : MATE_IN_ONE) {
            const Game game = GameFromFen(fen);
            const Searched searched = Search(game, limits);
            const std::vector<Iteration> last(searched.iterations.end() - skill.lines,
                                              searched.iterations.end());
            const Move chosen = last[ChooseSkillLine(last, level, random)].pv[0];
            Game after = game;
            std::string error;
            ASSERT_TRUE(PlayMove(after, MoveText(chosen), error)) << fen << ": " << error;
            EXPECT_TRUE(LegalMoves(after).empty() && InCheck(after)) << fen << " " << level;
        }
    }
}

// Each level searches with more effort than the one below it: deeper or
// as deep with more lines up to the last level that chooses, then more
// nodes with no depth limit, then without any limit at full strength.
TEST(Skill, EffortRisesWithTheLevel) {
    SkillSearch below = SkillSearchFor(0);
    EXPECT_GT(below.maxDepth, 0);
    EXPECT_EQ(below.lines, SKILL_LINES);
    for (int level = 1; level <= MAX_SKILL_LEVEL; ++level) {
        const SkillSearch skill = SkillSearchFor(level);
        const bool nodeLimited = skill.maxNodes > 0;
        EXPECT_TRUE(skill.lines == SKILL_LINES || skill.lines == 1) << level;
        if (skill.lines == SKILL_LINES) {
            EXPECT_GE(skill.maxDepth, below.maxDepth) << level;
            EXPECT_LE(skill.maxDepth, below.maxDepth + 1) << level;
            EXPECT_FALSE(nodeLimited) << level;
        } else {
            EXPECT_EQ(skill.maxDepth, 0) << level;
            EXPECT_TRUE(!below.maxNodes || !nodeLimited || skill.maxNodes > below.maxNodes)
                << level;
        }
        EXPECT_TRUE(level < MAX_SKILL_LEVEL || (!nodeLimited && skill.lines == 1));
        EXPECT_TRUE(level == MAX_SKILL_LEVEL || skill.maxDepth > 0 || nodeLimited) << level;
        below = skill;
    }
}

// UCI_Elo picks the strongest level that plays no stronger: every level
// from the weakest to full strength, in order, and nothing outside them.
TEST(Skill, EloPicksTheStrongestLevelNotAboveIt) {
    EXPECT_EQ(SkillLevelForElo(MIN_ELO - 500), 0);
    EXPECT_EQ(SkillLevelForElo(MIN_ELO), 0);
    EXPECT_EQ(SkillLevelForElo(MAX_ELO), MAX_SKILL_LEVEL);
    EXPECT_EQ(SkillLevelForElo(MAX_ELO - 1), MAX_SKILL_LEVEL - 1);
    for (const LevelStrength& row : LEVEL_STRENGTHS) {
        EXPECT_EQ(SkillLevelForElo(row.elo), row.level);
        EXPECT_EQ(SkillLevelForElo(row.elo - 1), std::max(row.level - 1, 0));
    }
    int before = 0;
    for (int elo = MIN_ELO; elo <= MAX_ELO; ++elo) {
        const int level = SkillLevelForElo(elo);
        EXPECT_TRUE(level == before || level == before + 1) << elo;
        before = level;
    }
    EXPECT_EQ(before, MAX_SKILL_LEVEL);
}

}  // namespace
}  // namespace chess
